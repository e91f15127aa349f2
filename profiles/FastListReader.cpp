// The file's layout as libxml2's streaming reader meets it: a plist element around the root
// dictionary, class dictionaries of six field dictionaries and a count, item keys "<field>nnnn".
#include "profiles/FastListReader.h"

#include "profiles/ProfileListFile.h"
#include "profiles/ProfileText.h"

#include <libxml/xmlerror.h>
#include <libxml/xmlreader.h>

#include <bitset>
#include <cstring>
#include <optional>
#include <string>
#include <strings.h>

namespace tlco {
namespace {

using profilefile::kClassKeys;
using profilefile::kFieldKeys;

// Deeper than the layout nests; unknown values this deep are left to the general reader.
constexpr int kMaxSkipDepth = 32;
constexpr size_t kMaxIntegerDigits = 18;

void ignoreMessage(void*, const char*, ...) {}

// libxml2 reports some faults (an encoding it cannot convert) through its generic handler whatever
// the reader's options say; what the reader does not take the general reader judges, so they are
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

struct ReaderDeleter {
    void operator()(xmlTextReaderPtr reader) const { xmlFreeTextReader(reader); }
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

int32_t low32(int64_t value) { return static_cast<int32_t>(static_cast<uint32_t>(value)); }

class Reader {
public:
    explicit Reader(std::string_view bytes)
        : reader_(xmlReaderForMemory(bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr,
                                     XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_NOCDATA | XML_PARSE_COMPACT))
    {
    }

    bool read(StoredLists& into)
    {
        if (!reader_ || !nextNode() || !isStart("plist") || empty()) return false;
        if (!utf8Document() || !nextNode() || !isStart("dict") || !readRoot(into)) return false;
        if (!nextNode() || !isEnd()) return false;
        // Only comments and white space may follow.
        for (;;) {
            const int status = xmlTextReaderRead(reader_.get());
            if (status == 0) return true;
            if (status < 0) return false;
            const int type = xmlTextReaderNodeType(reader_.get());
            if (type != XML_READER_TYPE_COMMENT && type != XML_READER_TYPE_WHITESPACE &&
                type != XML_READER_TYPE_SIGNIFICANT_WHITESPACE)
                return false;
        }
    }

private:
    // The next element start or end, past white space, comments and the document type.
    bool nextNode()
    {
        for (;;) {
            if (xmlTextReaderRead(reader_.get()) != 1) return false;
            switch (xmlTextReaderNodeType(reader_.get())) {
            case XML_READER_TYPE_ELEMENT:
            case XML_READER_TYPE_END_ELEMENT: return true;
            case XML_READER_TYPE_WHITESPACE:
            case XML_READER_TYPE_SIGNIFICANT_WHITESPACE:
            case XML_READER_TYPE_COMMENT:
            case XML_READER_TYPE_DOCUMENT_TYPE: continue;
            default: return false;
            }
        }
    }

    bool isStart(const char* name) const
    {
        return xmlTextReaderNodeType(reader_.get()) == XML_READER_TYPE_ELEMENT && nameIs(name);
    }
    bool isEnd() const { return xmlTextReaderNodeType(reader_.get()) == XML_READER_TYPE_END_ELEMENT; }
    bool empty() const { return xmlTextReaderIsEmptyElement(reader_.get()) == 1; }
    bool nameIs(const char* name) const
    {
        const xmlChar* own = xmlTextReaderConstName(reader_.get());
        return own && std::strcmp(reinterpret_cast<const char*>(own), name) == 0;
    }

    bool utf8Document() const
    {
        const xmlChar* encoding = xmlTextReaderConstEncoding(reader_.get());
        return !encoding || ::strcasecmp(reinterpret_cast<const char*>(encoding), "UTF-8") == 0;
    }

    // The text of the element the reader is on (key, string, integer), up to its end.
    bool text(std::string& out, bool commentsAllowed)
    {
        out.clear();
        if (empty()) return true;
        for (;;) {
            if (xmlTextReaderRead(reader_.get()) != 1) return false;
            switch (xmlTextReaderNodeType(reader_.get())) {
            case XML_READER_TYPE_TEXT:
            case XML_READER_TYPE_CDATA:
            case XML_READER_TYPE_WHITESPACE:
            case XML_READER_TYPE_SIGNIFICANT_WHITESPACE:
                if (const xmlChar* value = xmlTextReaderConstValue(reader_.get()))
                    out += reinterpret_cast<const char*>(value);
                continue;
            case XML_READER_TYPE_COMMENT:
                if (!commentsAllowed) return false;
                continue;
            case XML_READER_TYPE_END_ELEMENT: return true;
            default: return false;
            }
        }
    }

    // One key, its value next; false at the dictionary's end (done) or on anything else.
    bool nextKey(std::string& key, bool& done)
    {
        if (!nextNode()) return false;
        if (isEnd()) {
            done = true;
            return false;
        }
        if (!isStart("key") || !text(key, true)) return false;
        return nextNode() && !isEnd();
    }

    // A value the lists do not use: passed over when it is of a kind this reader knows.
    bool skipValue(int depth)
    {
        std::string ignored;
        if (isStart("string")) return text(ignored, true);
        if (isStart("integer")) return text(ignored, false) && canonicalInteger(ignored);
        if (!isStart("dict") || depth > kMaxSkipDepth) return false;
        return eachEntry([&](const std::string&) { return skipValue(depth + 1); });
    }

    template <class F>
    bool eachEntry(F&& onValue)
    {
        if (empty()) return true;
        std::string key;
        for (;;) {
            bool done = false;
            if (!nextKey(key, done)) return done;
            if (!onValue(key)) return false;
        }
    }

    bool readRoot(StoredLists& into)
    {
        std::bitset<3> seen;
        return eachEntry([&](const std::string& key) {
            for (size_t i = 0; i < kClassKeys.size(); ++i) {
                if (key != kClassKeys[i]) continue;
                if (seen[i] || !isStart("dict")) return false;
                seen[i] = true;
                return readClass(into.lists[i]);
            }
            return skipValue(1);
        });
    }

    bool readClass(StoredList& list)
    {
        std::bitset<6> seen;
        bool countSeen = false;
        const bool read = eachEntry([&](const std::string& key) {
            if (key == profilefile::kCountKey) {
                if (countSeen) return false;
                countSeen = true;
                return readCount(list);
            }
            for (size_t f = 0; f < kFieldKeys.size(); ++f) {
                if (key != kFieldKeys[f]) continue;
                if (seen[f] || !isStart("dict")) return false;
                seen[f] = true;
                return readField(list, static_cast<StoredField>(f));
            }
            return skipValue(2);
        });
        if (!read) return false;
        list.complete = seen.all();
        // An incomplete list is never read, so nothing of it is kept.
        if (!list.complete) list = StoredList{};
        return true;
    }

    bool readCount(StoredList& list)
    {
        if (!isStart("integer")) return skipValue(3);
        std::string digits;
        if (!text(digits, false)) return false;
        auto value = canonicalInteger(digits);
        if (!value) return false;
        list.hasCount = true;
        list.count = low32(*value);
        return true;
    }

    // The item number of key "<field>nnnn", or -1 for any other key.
    static int itemOf(const std::string& key, const char* field)
    {
        const size_t length = std::strlen(field);
        if (key.size() != length + 4 || key.compare(0, length, field) != 0) return -1;
        int item = 0;
        for (size_t i = length; i < key.size(); ++i) {
            if (key[i] < '0' || key[i] > '9') return -1;
            item = item * 10 + (key[i] - '0');
        }
        return item < kProfileListCapacity ? item : -1;
    }

    bool readField(StoredList& list, StoredField field)
    {
        std::bitset<kProfileListCapacity> seen;
        return eachEntry([&](const std::string& key) {
            const int item = itemOf(key, kFieldKeys[field]);
            if (item < 0) return skipValue(4);
            if (seen[static_cast<size_t>(item)]) return false;
            seen[static_cast<size_t>(item)] = true;
            return readItemValue(list.items[static_cast<size_t>(item)], field);
        });
    }

    bool readItemValue(StoredItem& item, StoredField field)
    {
        const bool isName = field == kFieldFileName || field == kFieldProfileName;
        if (!isStart(isName ? "string" : "integer")) return skipValue(4);
        if (!text(value_, isName)) return false;
        if (isName) {
            setFieldText(field == kFieldFileName ? item.fileName : item.profileName, value_);
        } else {
            auto number = canonicalInteger(value_);
            if (!number) return false;
            int32_t* slots[] = {&item.indexOnDevice, &item.inMenu, &item.profileClass, nullptr, nullptr,
                                &item.location};
            *slots[field] = low32(*number);
        }
        item.present |= static_cast<uint8_t>(1u << field);
        return true;
    }

    std::unique_ptr<xmlTextReader, ReaderDeleter> reader_;
    std::string value_;
};

} // namespace

std::unique_ptr<StoredLists> readListsFast(std::string_view bytes)
{
    // libplist keeps a carriage return that an XML reader turns into a line feed.
    if (bytes.empty() || bytes.front() != '<' || bytes.size() > static_cast<size_t>(INT32_MAX) ||
        std::memchr(bytes.data(), '\r', bytes.size()))
        return nullptr;
    auto lists = std::make_unique<StoredLists>();
    QuietErrors quiet;
    Reader reader(bytes);
    if (!reader.read(*lists)) return nullptr;
    return lists;
}

} // namespace tlco
