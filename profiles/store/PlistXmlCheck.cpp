// SPDX-License-Identifier: Apache-2.0
// One libxml2 parse, in recovery mode so that every fault is seen, decides and re-encodes.
#include "profiles/store/PlistXmlCheck.h"

#include <libxml/parser.h>
#include <libxml/parserInternals.h>
#include <libxml/tree.h>
#include <libxml/xmlerror.h>

#include <memory>

namespace tlco {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

struct Faults {
    std::string first; // of a kind that damages the document
};

bool isCharacterFault(int code)
{
    return code == XML_ERR_INVALID_HEX_CHARREF || code == XML_ERR_INVALID_DEC_CHARREF ||
        code == XML_ERR_INVALID_CHARREF || code == XML_ERR_INVALID_CHAR;
}

void collect(void* context, xmlErrorPtr error)
{
    auto* faults = static_cast<Faults*>(static_cast<xmlParserCtxtPtr>(context)->_private);
    if (!error || error->level < XML_ERR_ERROR || isCharacterFault(error->code) || !faults->first.empty()) return;
    std::string message = error->message ? error->message : "unknown fault";
    while (!message.empty() && message.back() == '\n') message.pop_back();
    faults->first = "line " + std::to_string(error->line) + ": " + message;
}

struct ContextDeleter {
    void operator()(xmlParserCtxtPtr context) const
    {
        if (context->myDoc) xmlFreeDoc(context->myDoc);
        xmlFreeParserCtxt(context);
    }
};

// Raw carriage returns as the line feeds XML reads them as; the reader would keep them.
std::string withXmlLineEnds(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r') {
            out += bytes[i];
            continue;
        }
        out += '\n';
        if (i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    }
    return out;
}

// The document type goes: the plist reader needs none, and would stumble over an internal subset.
std::optional<std::string> utf8Dump(xmlDocPtr document)
{
    if (xmlDtdPtr type = xmlGetIntSubset(document)) {
        xmlUnlinkNode(reinterpret_cast<xmlNodePtr>(type));
        xmlFreeDtd(type);
    }
    xmlChar* text = nullptr;
    int size = 0;
    xmlDocDumpMemoryEnc(document, &text, &size, "UTF-8");
    if (!text) return std::nullopt;
    std::string out(reinterpret_cast<const char*>(text), static_cast<size_t>(size));
    xmlFree(text);
    return out;
}

} // namespace

std::optional<std::string> checkedPlistXml(std::string_view bytes, std::string* fault)
{
    if (bytes.size() > static_cast<size_t>(INT32_MAX)) return std::nullopt;
    std::unique_ptr<xmlParserCtxt, ContextDeleter> context(
        xmlCreateMemoryParserCtxt(bytes.data(), static_cast<int>(bytes.size())));
    if (!context) return std::nullopt;
    Faults faults;
    context->_private = &faults;
    context->sax->serror = collect;
    context->sax->initialized = XML_SAX2_MAGIC;
    xmlCtxtUseOptions(context.get(), XML_PARSE_NONET | XML_PARSE_RECOVER | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    xmlParseDocument(context.get());
    if (!faults.first.empty() || !context->myDoc || !xmlDocGetRootElement(context->myDoc)) {
        if (fault) *fault = faults.first.empty() ? "no document element" : faults.first;
        return std::nullopt;
    }
    // Another encoding than UTF-8 was converted while reading; the converted document is handed on.
    const bool converted = context->input && context->input->buf && context->input->buf->encoder;
    if (converted) return utf8Dump(context->myDoc);
    if (bytes.starts_with(kUtf8Mark)) bytes.remove_prefix(kUtf8Mark.size());
    return withXmlLineEnds(bytes);
}

} // namespace tlco
