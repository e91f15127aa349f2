// SPDX-License-Identifier: Apache-2.0
// Only integers count for the number fields and only strings for the names; values of other types
// are left out, as if the file lacked them.
#include "profiles/store/StoredListsFromTree.h"

#include "cf/Number.h"
#include "cf/String.h"
#include "profiles/store/ProfileListFile.h"
#include "profiles/store/ProfileText.h"

#include <algorithm>
#include <string_view>

namespace tlco {
namespace {

using profilefile::ItemKey;

bool readInt(const cf::Dictionary& dictionary, const char* key, int32_t* value)
{
    auto number = cf::as<cf::Number>(dictionary.get(key));
    if (!number || number->isReal()) return false;
    *value = number->int32Value();
    return true;
}

bool readName(const cf::Dictionary& dictionary, const char* key, char (&field)[kProfileNameSize])
{
    auto text = dictionary.getString(key);
    if (!text) return false;
    setFieldText(field, storableName(text->utf8()));
    return true;
}

int32_t* intField(StoredItem& item, StoredField field)
{
    switch (field) {
    case kFieldIndexOnDevice:
        return &item.indexOnDevice;
    case kFieldInMenu:
        return &item.inMenu;
    case kFieldProfileClass:
        return &item.profileClass;
    case kFieldLocation:
        return &item.location;
    default:
        return nullptr;
    }
}

void readItem(const std::array<cf::DictionaryRef, 6>& fields, int index, StoredItem& item)
{
    for (size_t f = 0; f < 6; ++f) {
        const auto field = static_cast<StoredField>(f);
        ItemKey key(profilefile::kFieldKeys[f], index);
        bool found = false;
        if (int32_t* value = intField(item, field))
            found = readInt(*fields[f], key.c_str(), value);
        else
            found = readName(*fields[f], key.c_str(), field == kFieldFileName ? item.fileName : item.profileName);
        if (found) item.present |= static_cast<uint8_t>(1u << f);
    }
}

// An item key numbered beyond the list's capacity ("<field>0500" and up).
bool holdsItemsBeyond(const cf::Dictionary& fieldDictionary, std::string_view field)
{
    for (const auto& [key, value] : fieldDictionary.stringEntries()) {
        if (key.size() < field.size() + 4 || key.compare(0, field.size(), field) != 0) continue;
        const std::string_view digits = std::string_view(key).substr(field.size());
        if (std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }) &&
            (digits.size() > 4 || std::stoi(std::string(digits)) >= kProfileListCapacity))
            return true;
    }
    return false;
}

void readList(const cf::Dictionary& root, int listIndex, StoredList& list)
{
    auto classDictionary = root.getDictionary(profilefile::kClassKeys[static_cast<size_t>(listIndex)]);
    if (!classDictionary) return;
    std::array<cf::DictionaryRef, 6> fields;
    for (size_t f = 0; f < fields.size(); ++f) {
        fields[f] = classDictionary->getDictionary(profilefile::kFieldKeys[f]);
        if (!fields[f]) return;
    }
    list.complete = true;
    list.hasCount = readInt(*classDictionary, profilefile::kCountKey, &list.count);
    list.overfull = list.hasCount && list.count > kProfileListCapacity;
    for (size_t f = 0; f < fields.size(); ++f)
        if (holdsItemsBeyond(*fields[f], profilefile::kFieldKeys[f])) list.overfull = true;
    for (int i = 0; i < kProfileListCapacity; ++i) readItem(fields, i, list.items[static_cast<size_t>(i)]);
}

} // namespace

std::unique_ptr<StoredLists> storedListsFromTree(const cf::Dictionary& root)
{
    auto stored = std::make_unique<StoredLists>();
    for (int i = 0; i < 3; ++i) readList(root, i, stored->lists[static_cast<size_t>(i)]);
    return stored;
}

} // namespace tlco
