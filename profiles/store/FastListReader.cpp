// SPDX-License-Identifier: Apache-2.0
// The file's layout as libxml2's SAX2 parser delivers it: a plist element around the root
// dictionary, class dictionaries of six field dictionaries and a count, item keys "<field>nnnn".
// The parser's own handlers keep the document type (entity declarations); everything else arrives
// here and is taken only where it reads exactly as the general reader would read it.
#include "profiles/store/FastListReader.h"

#include "profiles/store/ProfileListFile.h"
#include "profiles/store/ProfileText.h"

#include <libxml/SAX2.h>
#include <libxml/parser.h>
#include <libxml/parserInternals.h>
#include <libxml/xmlerror.h>

#include <algorithm>
#include <bitset>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace tlco {
namespace {

using profilefile::kClassKeys;
using profilefile::kFieldKeys;

// Deeper than the layout nests; unknown values this deep are left to the general reader.
constexpr int kMaxSkipDepth = 32;
constexpr size_t kMaxIntegerDigits = 18;

void ignoreMessage(void*, const char*, ...) { }

// libxml2 reports some faults (an encoding it cannot convert) through its generic handler whatever
// the parser's options say; what this reader does not take the general reader judges, so they are
// dropped while it reads.
class QuietErrors {
public:
    QuietErrors() : handler_(xmlGenericError), context_(xmlGenericErrorContext)
    {
        xmlSetGenericErrorFunc(nullptr, ignoreMessage);
    }
    ~QuietErrors() { xmlSetGenericErrorFunc(context_, handler_); }
    QuietErrors(const QuietErrors&) = delete;
    QuietErrors& operator=(const QuietErrors&) = delete;

private:
    xmlGenericErrorFunc handler_;
    void* context_;
};

std::optional<int64_t> canonicalInteger(const std::string& text)
{
    std::string_view digits(text);
    const bool negative = !digits.empty() && digits.front() == '-';
    if (negative) digits.remove_prefix(1);
    // Other spellings (spaces, a sign, leading zeros, hexadecimal) are the general reader's to judge.
    if (digits.empty() || digits.size() > kMaxIntegerDigits || (digits.size() > 1 && digits.front() == '0'))
        return std::nullopt;
    int64_t value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return negative ? -value : value;
}

int32_t low32(int64_t value)
{
    return static_cast<int32_t>(static_cast<uint32_t>(value));
}

bool blank(const char* text, int length)
{
    for (int i = 0; i < length; ++i)
        if (text[i] != ' ' && text[i] != '\t' && text[i] != '\n' && text[i] != '\r') return false;
    return true;
}

// What an open element is to the layout.
enum class Kind { Plist, RootDict, ClassDict, FieldDict, SkipDict, Key, String, Integer };
// What the text of a closed value element sets.
enum class Target { Nothing, Count, Item };

struct Frame {
    Kind kind;
    int depth = 0;          // of a skipped dictionary
    bool valueNext = false; // a dictionary between a key and its value
    bool sawChild = false;  // the plist element holds its dictionary
    Target target = Target::Nothing;
    StoredList* list = nullptr; // class and field dictionaries, their values
    StoredField field = kFieldIndexOnDevice;
    StoredItem* item = nullptr;
};

// Per-dictionary bookkeeping that does not fit in every frame.
struct ClassSeen {
    std::bitset<6> fields;
    bool count = false;
};

class Reader {
public:
    explicit Reader(StoredLists& into) : into_(into) { frames_.reserve(kMaxSkipDepth + 8); }

    bool failed() const { return failed_; }
    bool finished() const { return finished_; }

    void start(xmlParserCtxtPtr context, const xmlChar* name, const xmlChar* prefix)
    {
        if (failed_ || prefix) return fail(context);
        const char* own = reinterpret_cast<const char*>(name);
        if (frames_.empty()) {
            if (finished_ || std::strcmp(own, "plist") != 0) return fail(context);
            return frames_.push_back(Frame{Kind::Plist});
        }
        Frame& top = frames_.back();
        switch (top.kind) {
        case Kind::Plist:
            if (top.sawChild || std::strcmp(own, "dict") != 0) return fail(context);
            top.sawChild = true;
            return frames_.push_back(Frame{Kind::RootDict});
        case Kind::Key:
        case Kind::String:
        case Kind::Integer:
            return fail(context);
        default:
            break;
        }
        if (!top.valueNext) {
            if (std::strcmp(own, "key") != 0) return fail(context);
            key_.clear();
            return frames_.push_back(Frame{Kind::Key});
        }
        top.valueNext = false;
        if (!startValue(top, own)) fail(context);
    }

    void end(xmlParserCtxtPtr context)
    {
        if (failed_ || frames_.empty()) return fail(context);
        Frame done = frames_.back();
        frames_.pop_back();
        if (!finish(done)) fail(context);
    }

    void text(xmlParserCtxtPtr context, const xmlChar* chars, int length)
    {
        if (failed_) return;
        const char* text = reinterpret_cast<const char*>(chars);
        if (!frames_.empty()) {
            const Kind kind = frames_.back().kind;
            if (kind == Kind::Key || kind == Kind::String || kind == Kind::Integer) {
                (kind == Kind::Key ? key_ : value_).append(text, static_cast<size_t>(length));
                return;
            }
        }
        if (!blank(text, length)) fail(context);
    }

    void comment(xmlParserCtxtPtr context)
    {
        if (!frames_.empty() && frames_.back().kind == Kind::Integer) fail(context);
    }

    void fail(xmlParserCtxtPtr context)
    {
        if (!failed_) xmlStopParser(context);
        failed_ = true;
    }

private:
    // The value after key_ in dictionary top.
    bool startValue(Frame& top, const char* name)
    {
        switch (top.kind) {
        case Kind::RootDict:
            return startInRoot(name);
        case Kind::ClassDict:
            return startInClass(top, name);
        case Kind::FieldDict:
            return startInField(top, name);
        case Kind::SkipDict:
            return startSkipped(name, top.depth + 1);
        default:
            return false;
        }
    }

    bool startInRoot(const char* name)
    {
        for (size_t i = 0; i < kClassKeys.size(); ++i) {
            if (key_ != kClassKeys[i]) continue;
            if (classesSeen_[i] || std::strcmp(name, "dict") != 0) return false;
            classesSeen_[i] = true;
            classSeen_ = ClassSeen{};
            Frame frame{Kind::ClassDict};
            frame.list = &into_.lists[i];
            frames_.push_back(frame);
            return true;
        }
        return startSkipped(name, 1);
    }

    bool startInClass(Frame& top, const char* name)
    {
        if (key_ == profilefile::kCountKey) {
            if (classSeen_.count) return false;
            classSeen_.count = true;
            if (std::strcmp(name, "integer") != 0) return startSkipped(name, 3);
            return pushLeaf(Kind::Integer, Target::Count, top.list, kFieldIndexOnDevice, nullptr);
        }
        for (size_t f = 0; f < kFieldKeys.size(); ++f) {
            if (key_ != kFieldKeys[f]) continue;
            if (classSeen_.fields[f] || std::strcmp(name, "dict") != 0) return false;
            classSeen_.fields[f] = true;
            itemsSeen_.reset();
            Frame frame{Kind::FieldDict};
            frame.list = top.list;
            frame.field = static_cast<StoredField>(f);
            frames_.push_back(frame);
            return true;
        }
        return startSkipped(name, 2);
    }

    bool startInField(Frame& top, const char* name)
    {
        const int item = itemOf(key_, kFieldKeys[top.field]);
        if (item >= kProfileListCapacity) top.list->overfull = true;
        if (item < 0 || item >= kProfileListCapacity) return startSkipped(name, 4);
        if (itemsSeen_[static_cast<size_t>(item)]) return false;
        itemsSeen_[static_cast<size_t>(item)] = true;
        const bool isName = top.field == kFieldFileName || top.field == kFieldProfileName;
        if (std::strcmp(name, isName ? "string" : "integer") != 0) return startSkipped(name, 4);
        return pushLeaf(isName ? Kind::String : Kind::Integer, Target::Item, top.list, top.field,
            &top.list->items[static_cast<size_t>(item)]);
    }

    // A value the lists do not use: passed over when it is of a kind this reader knows.
    bool startSkipped(const char* name, int depth)
    {
        if (std::strcmp(name, "string") == 0)
            return pushLeaf(Kind::String, Target::Nothing, nullptr, kFieldIndexOnDevice, nullptr);
        if (std::strcmp(name, "integer") == 0)
            return pushLeaf(Kind::Integer, Target::Nothing, nullptr, kFieldIndexOnDevice, nullptr);
        if (std::strcmp(name, "dict") != 0 || depth > kMaxSkipDepth) return false;
        Frame frame{Kind::SkipDict};
        frame.depth = depth;
        frames_.push_back(frame);
        return true;
    }

    bool pushLeaf(Kind kind, Target target, StoredList* list, StoredField field, StoredItem* item)
    {
        value_.clear();
        Frame frame{kind};
        frame.target = target;
        frame.list = list;
        frame.field = field;
        frame.item = item;
        frames_.push_back(frame);
        return true;
    }

    bool finish(const Frame& done)
    {
        switch (done.kind) {
        case Kind::Plist:
            if (!done.sawChild) return false;
            finished_ = true;
            return true;
        case Kind::Key:
            frames_.back().valueNext = true;
            return true;
        case Kind::String:
            return setItem(done);
        case Kind::Integer:
            return setNumber(done);
        case Kind::ClassDict:
            if (done.valueNext) return false;
            done.list->complete = classSeen_.fields.all();
            // An incomplete list is never read, so nothing of it is kept.
            if (!done.list->complete) *done.list = StoredList{};
            return true;
        default:
            return !done.valueNext;
        }
    }

    bool setItem(const Frame& done)
    {
        if (done.target != Target::Item) return true;
        setFieldText(done.field == kFieldFileName ? done.item->fileName : done.item->profileName, storableName(value_));
        done.item->present |= static_cast<uint8_t>(1u << done.field);
        return true;
    }

    bool setNumber(const Frame& done)
    {
        auto number = canonicalInteger(value_);
        if (!number) return false;
        if (done.target == Target::Count) {
            done.list->hasCount = true;
            done.list->count = low32(*number);
            if (done.list->count > kProfileListCapacity) done.list->overfull = true;
        } else if (done.target == Target::Item) {
            int32_t* slots[] = {&done.item->indexOnDevice, &done.item->inMenu, &done.item->profileClass, nullptr,
                nullptr, &done.item->location};
            *slots[done.field] = low32(*number);
            done.item->present |= static_cast<uint8_t>(1u << done.field);
        }
        return true;
    }

    // The item number of key "<field>nnnn", or -1 for any other key. Item keys past the list's
    // capacity ("<field>0500" on, or more than four digits) give kProfileListCapacity.
    static int itemOf(const std::string& key, const char* field)
    {
        const size_t length = std::strlen(field);
        if (key.size() < length + 4 || key.compare(0, length, field) != 0) return -1;
        for (size_t i = length; i < key.size(); ++i)
            if (key[i] < '0' || key[i] > '9') return -1;
        if (key.size() > length + 4) return kProfileListCapacity;
        int item = 0;
        for (size_t i = length; i < key.size(); ++i) item = item * 10 + (key[i] - '0');
        return std::min(item, kProfileListCapacity);
    }

    StoredLists& into_;
    std::vector<Frame> frames_;
    std::bitset<3> classesSeen_;
    ClassSeen classSeen_;
    std::bitset<kProfileListCapacity> itemsSeen_;
    std::string key_;
    std::string value_;
    bool failed_ = false;
    bool finished_ = false;
};

Reader& readerOf(void* context)
{
    return *static_cast<Reader*>(static_cast<xmlParserCtxtPtr>(context)->_private);
}

void onStart(void* context, const xmlChar* name, const xmlChar* prefix, const xmlChar*, int, const xmlChar**, int, int,
    const xmlChar**)
{
    readerOf(context).start(static_cast<xmlParserCtxtPtr>(context), name, prefix);
}

void onEnd(void* context, const xmlChar*, const xmlChar*, const xmlChar*)
{
    readerOf(context).end(static_cast<xmlParserCtxtPtr>(context));
}

void onText(void* context, const xmlChar* chars, int length)
{
    readerOf(context).text(static_cast<xmlParserCtxtPtr>(context), chars, length);
}

void onComment(void* context, const xmlChar*)
{
    readerOf(context).comment(static_cast<xmlParserCtxtPtr>(context));
}

// Processing instructions and entity references the general reader judges.
void onInstruction(void* context, const xmlChar*, const xmlChar*)
{
    readerOf(context).fail(static_cast<xmlParserCtxtPtr>(context));
}

void onReference(void* context, const xmlChar*)
{
    readerOf(context).fail(static_cast<xmlParserCtxtPtr>(context));
}

// The document type and entity declarations go to libxml2's own handlers, which keep them in a
// document of their own; elements, text and comments come here.
void installHandlers(xmlSAXHandler& sax)
{
    sax.startElementNs = onStart;
    sax.endElementNs = onEnd;
    sax.startElement = nullptr;
    sax.endElement = nullptr;
    sax.characters = onText;
    sax.ignorableWhitespace = onText;
    sax.cdataBlock = onText;
    sax.comment = onComment;
    sax.processingInstruction = onInstruction;
    sax.reference = onReference;
}

struct ContextDeleter {
    void operator()(xmlParserCtxtPtr context) const
    {
        if (context->myDoc) xmlFreeDoc(context->myDoc);
        context->myDoc = nullptr;
        xmlFreeParserCtxt(context);
    }
};

} // namespace

std::unique_ptr<StoredLists> readListsFast(std::string_view bytes)
{
    // libxml2 reads the byte order mark, the declared encoding and the line ends as XML has them.
    if (bytes.empty() || bytes.size() > static_cast<size_t>(INT32_MAX)) return nullptr;
    auto lists = std::make_unique<StoredLists>();
    QuietErrors quiet;
    std::unique_ptr<xmlParserCtxt, ContextDeleter> context(
        xmlCreateMemoryParserCtxt(bytes.data(), static_cast<int>(bytes.size())));
    if (!context) return nullptr;
    xmlCtxtUseOptions(context.get(), XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_NOCDATA);
    installHandlers(*context->sax);
    Reader reader(*lists);
    context->_private = &reader;
    const int status = xmlParseDocument(context.get());
    if (status != 0 || !context->wellFormed || !context->nsWellFormed || reader.failed() || !reader.finished())
        return nullptr;
    return lists;
}

} // namespace tlco
