// SPDX-License-Identifier: Apache-2.0
// The layout in key order: DST, PlistVersion, RGB, SIM at the root; the field dictionaries sorted
// by name, then the count; item keys in item order (their numbers are zero-padded).
#include "profiles/store/FastListWriter.h"

#include "profiles/store/ProfileListFile.h"
#include "profiles/store/ProfileText.h"
#include "profiles/store/StoredLists.h"

#include <array>
#include <charconv>

namespace tlco {
namespace {

constexpr std::string_view kHeader =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" \"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
    "<plist version=\"1.0\">\n<dict>\n";
constexpr std::string_view kFooter = "</dict>\n</plist>\n";
// About what a full list takes, so the text grows only a few times.
constexpr size_t kFullFileSize = 560 * 1024;

// The class dictionary's keys in byte order.
constexpr std::array<StoredField, 6> kSortedFields = {
    kFieldFileName, kFieldInMenu, kFieldIndexOnDevice, kFieldLocation, kFieldProfileClass, kFieldProfileName};

class Out {
public:
    explicit Out(std::string& text) : text_(text) { }

    void key(int depth, std::string_view name)
    {
        indent(depth);
        text_ += "<key>";
        escaped(name);
        text_ += "</key>\n";
    }
    void integer(int depth, int64_t value)
    {
        indent(depth);
        char digits[24];
        auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
        text_ += "<integer>";
        text_.append(digits, end);
        text_ += "</integer>\n";
    }
    void string(int depth, std::string_view value)
    {
        indent(depth);
        text_ += "<string>";
        escaped(value);
        text_ += "</string>\n";
    }
    void open(int depth, bool empty)
    {
        indent(depth);
        text_ += empty ? "<dict/>\n" : "<dict>\n";
    }
    void close(int depth)
    {
        indent(depth);
        text_ += "</dict>\n";
    }

private:
    void indent(int depth) { text_.append(static_cast<size_t>(depth), '\t'); }
    static const char* entityOf(char c)
    {
        switch (c) {
        case '&':
            return "&amp;";
        case '<':
            return "&lt;";
        case '>':
            return "&gt;";
        // A raw carriage return reads as a line feed in XML.
        case '\r':
            return "&#13;";
        default:
            return nullptr;
        }
    }
    void escaped(std::string_view text)
    {
        size_t plainFrom = 0;
        for (size_t i = 0; i < text.size(); ++i) {
            const char* entity = entityOf(text[i]);
            if (!entity) continue;
            text_.append(text.substr(plainFrom, i - plainFrom));
            text_ += entity;
            plainFrom = i + 1;
        }
        text_.append(text.substr(plainFrom));
    }

    std::string& text_;
};

const char (&nameOf(const ProfileItem& item, StoredField field))[kProfileNameSize]
{
    return field == kFieldFileName ? item.FileName : item.ProfileName;
}

int32_t numberOf(const ProfileItem& item, StoredField field)
{
    switch (field) {
    case kFieldIndexOnDevice:
        return item.iIndexOnDevice;
    case kFieldInMenu:
        return item.iInMenu;
    case kFieldProfileClass:
        return item.iProfileClass;
    default:
        return item.iLocation;
    }
}

// Every item gets every key: a name is written as storableName gives it.
void writeField(Out& out, const ProfileList& list, StoredField field)
{
    const bool isName = field == kFieldFileName || field == kFieldProfileName;
    out.key(2, profilefile::kFieldKeys[field]);
    out.open(2, false);
    for (int i = 0; i < kProfileListCapacity; ++i) {
        out.key(3, profilefile::ItemKey(profilefile::kFieldKeys[field], i).view());
        if (isName)
            out.string(3, storableName(fieldText(nameOf(list.litem[i], field))));
        else
            out.integer(3, numberOf(list.litem[i], field));
    }
    out.close(2);
}

void writeList(Out& out, const char* classKey, const ProfileList& list)
{
    out.key(1, classKey);
    out.open(1, false);
    for (StoredField field : kSortedFields) writeField(out, list, field);
    out.key(2, profilefile::kCountKey);
    out.integer(2, list.iNum);
    out.close(1);
}

StoredList storedListOf(const ProfileList& list)
{
    StoredList stored;
    stored.complete = true;
    stored.hasCount = true;
    stored.count = list.iNum;
    for (int i = 0; i < kProfileListCapacity; ++i) {
        const ProfileItem& from = list.litem[i];
        StoredItem& into = stored.items[static_cast<size_t>(i)];
        into.indexOnDevice = from.iIndexOnDevice;
        into.inMenu = from.iInMenu;
        into.profileClass = from.iProfileClass;
        into.location = from.iLocation;
        into.present = kAllFields;
        setFieldText(into.fileName, storableName(fieldText(from.FileName)));
        setFieldText(into.profileName, storableName(fieldText(from.ProfileName)));
    }
    return stored;
}

} // namespace

StoredLists storedListsOf(const ProfileList& rgb, const ProfileList& sim, const ProfileList& dst)
{
    return {{storedListOf(rgb), storedListOf(sim), storedListOf(dst)}};
}

std::string writeListsXml(const ProfileList& rgb, const ProfileList& sim, const ProfileList& dst)
{
    std::string text;
    text.reserve(kFullFileSize);
    text += kHeader;
    Out out(text);
    writeList(out, profilefile::kClassKeys[kListDST], dst);
    out.key(1, profilefile::kVersionKey);
    out.integer(1, profilefile::kVersion);
    writeList(out, profilefile::kClassKeys[kListRGB], rgb);
    writeList(out, profilefile::kClassKeys[kListSIM], sim);
    text += kFooter;
    return text;
}

} // namespace tlco
