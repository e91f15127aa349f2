// SPDX-License-Identifier: Apache-2.0
// The SAX2 events of a property list, built into values as they arrive. Whatever libplist might
// read differently (numbers in other spellings, comments inside numbers, a key without a value,
// attributes, entities of the document's own, carriage returns, other encodings) stops the parse
// and is left to it.
#include "cf/XmlPlistReader.h"

#include "cf/XmlParsing.h"
#include "cf/XmlPlistBuilder.h"

#include <libxml/SAX2.h>
#include <libxml/parser.h>
#include <libxml/parserInternals.h>
#include <libxml/xmlerror.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <memory>
#include <strings.h>

namespace cf {
namespace {

bool isUtf8Name(const xmlChar* encoding)
{
    return !encoding || ::strcasecmp(reinterpret_cast<const char*>(encoding), "UTF-8") == 0;
}

bool utf8Document(xmlParserCtxtPtr context)
{
    return isUtf8Name(context->encoding) && (!context->input || isUtf8Name(context->input->encoding)) &&
        (!context->myDoc || isUtf8Name(context->myDoc->encoding));
}

XmlPlistBuilder& builderOf(void* context)
{
    return *static_cast<XmlPlistBuilder*>(static_cast<xmlParserCtxtPtr>(context)->_private);
}

void stop(void* context)
{
    builderOf(context).refuse();
    xmlStopParser(static_cast<xmlParserCtxtPtr>(context));
}

// Where the element's content starts: the parser stands on the start tag's closing ">", or on
// the "/>" of an empty element (kEmptyElement).
long contentStart(xmlParserCtxtPtr parser)
{
    const xmlChar* at = parser->input ? parser->input->cur : nullptr;
    if (!at || *at != '>') return XmlPlistBuilder::kEmptyElement;
    return xmlByteConsumed(parser) + 1;
}

void onStart(void* context, const xmlChar* name, const xmlChar* prefix, const xmlChar*, int namespaces, const xmlChar**,
    int attributes, int, const xmlChar**)
{
    auto* parser = static_cast<xmlParserCtxtPtr>(context);
    XmlPlistBuilder& builder = builderOf(context);
    // The encoding is known by the root element.
    const bool top = builder.atTop();
    const bool plain = !prefix && namespaces == 0 && (attributes == 0 || top);
    if (!plain || (top && !utf8Document(parser)) ||
        !builder.start(reinterpret_cast<const char*>(name), contentStart(parser)))
        stop(context);
}

// The parser stands after the end tag "</name>".
void onEnd(void* context, const xmlChar* name, const xmlChar*, const xmlChar*)
{
    const long endTag = 3 + static_cast<long>(std::strlen(reinterpret_cast<const char*>(name)));
    if (!builderOf(context).end(xmlByteConsumed(static_cast<xmlParserCtxtPtr>(context)) - endTag)) stop(context);
}

void onText(void* context, const xmlChar* chars, int length)
{
    if (!builderOf(context).text(reinterpret_cast<const char*>(chars), static_cast<size_t>(length))) stop(context);
}

void onCData(void* context, const xmlChar* chars, int length)
{
    if (!builderOf(context).literalText(reinterpret_cast<const char*>(chars), static_cast<size_t>(length)))
        stop(context);
}

void onComment(void* context, const xmlChar*)
{
    if (!builderOf(context).comment()) stop(context);
}

// Processing instructions and references to the document's own entities.
void onOther(void* context, const xmlChar*, const xmlChar*)
{
    stop(context);
}

void onReference(void* context, const xmlChar*)
{
    stop(context);
}

// The document type goes to libxml2's own handlers, which keep it in a document of their own.
void installHandlers(xmlSAXHandler& sax)
{
    sax.startElementNs = onStart;
    sax.endElementNs = onEnd;
    sax.startElement = nullptr;
    sax.endElement = nullptr;
    sax.characters = onText;
    sax.ignorableWhitespace = onText;
    sax.cdataBlock = onCData;
    sax.comment = onComment;
    sax.processingInstruction = onOther;
    sax.reference = onReference;
}

// libplist keeps a carriage return that an XML parser turns into a line feed; a NUL byte is no
// UTF-8 XML at all (UTF-16 has them), nor is a byte order mark what libplist reads.
bool worthParsing(std::string_view bytes)
{
    return !bytes.empty() && bytes.front() == '<' && bytes.size() <= static_cast<size_t>(INT_MAX) &&
        !std::memchr(bytes.data(), '\r', bytes.size()) && !std::memchr(bytes.data(), '\0', bytes.size());
}

// Fed in pieces, the parser keeps only a piece of the bytes at a time: a whole copy would add the
// file's size to the peak memory.
constexpr size_t kPiece = 16 * 1024;

bool parseInPieces(xmlParserCtxtPtr context, std::string_view bytes)
{
    for (size_t at = 0; at < bytes.size(); at += kPiece) {
        const size_t size = std::min(kPiece, bytes.size() - at);
        const bool last = at + size == bytes.size();
        if (xmlParseChunk(context, bytes.data() + at, static_cast<int>(size), last ? 1 : 0) != 0) return false;
    }
    return true;
}

} // namespace

std::optional<Ref> XmlPlistReader::read(std::string_view bytes)
{
    if (!worthParsing(bytes)) return std::nullopt;
    // Whatever this reader does not take libplist judges.
    QuietXmlErrors quiet;
    XmlContext context(xmlCreatePushParserCtxt(nullptr, nullptr, nullptr, 0, nullptr));
    if (!context) return std::nullopt;
    xmlCtxtUseOptions(context.get(), XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    installHandlers(*context->sax);
    XmlPlistBuilder builder;
    context->_private = &builder;
    if (!parseInPieces(context.get(), bytes) || !context->wellFormed) return std::nullopt;
    return builder.result();
}

} // namespace cf
