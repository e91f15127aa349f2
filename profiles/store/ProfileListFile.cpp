// SPDX-License-Identifier: Apache-2.0
// Loading the profile list file and naming its item keys.
#include "profiles/store/ProfileListFile.h"

#include "cf/File.h"
#include "cf/PropertyList.h"
#include "profiles/store/FastListReader.h"
#include "profiles/store/PlistXmlCheck.h"
#include "profiles/store/ProfileListCache.h"
#include "profiles/store/StoredListsFromTree.h"
#include "profiles/store/TLPListStore.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace tlco::profilefile {
namespace {

bool holdsEveryList(const StoredLists& stored)
{
    for (const StoredList& list : stored.lists)
        if (!list.complete) return false;
    return true;
}

bool isBinaryPlist(std::string_view bytes)
{
    return bytes.starts_with("bplist");
}

// What the general reader makes of the bytes; XML only when it is well-formed (a list cut short
// would read as whole).
std::unique_ptr<StoredLists> readListsByTree(const std::string& bytes, std::string* reason)
{
    std::optional<std::string> xml;
    if (!isBinaryPlist(bytes)) {
        std::string fault;
        xml = checkedPlistXml(bytes, &fault);
        if (!xml) {
            *reason = "it is no well-formed XML (" + fault + ")";
            return nullptr;
        }
    }
    auto tree = cf::as<cf::Dictionary>(
        cf::PropertyList::createFromData(xml ? *xml : bytes, cf::PropertyList::Unsupported::Skip));
    return tree ? storedListsFromTree(*tree) : nullptr;
}

} // namespace

std::shared_ptr<const Loaded> parse(std::string bytes)
{
    auto loaded = std::make_shared<Loaded>();
    loaded->bytes = std::move(bytes);
    if (loaded->bytes->empty()) return loaded;
    loaded->lists = readListsFast(*loaded->bytes);
    if (!loaded->lists) loaded->lists = readListsByTree(*loaded->bytes, &loaded->reason);
    if (loaded->lists && holdsEveryList(*loaded->lists)) {
        loaded->state = Loaded::State::Complete;
    } else {
        loaded->state = Loaded::State::Damaged;
        if (loaded->reason.empty())
            loaded->reason = loaded->lists ? "it lacks a profile list"
                                           : "it is no readable property list with a dictionary at its root";
    }
    return loaded;
}

std::shared_ptr<const Loaded> load(const std::string& path)
{
    return ProfileListCache::shared().load(path);
}

cf::DictionaryRef loadRoot()
{
    auto path = TLPListMakePath(kProfileListFile);
    if (!path) return nullptr;
    auto bytes = cf::File::read(*path);
    if (!bytes || bytes->empty()) return nullptr;
    if (!isBinaryPlist(*bytes)) bytes = checkedPlistXml(*bytes, nullptr);
    if (!bytes) return nullptr;
    return cf::as<cf::Dictionary>(cf::PropertyList::createFromData(*bytes, cf::PropertyList::Unsupported::Skip));
}

// A save formats 9,000 of these; the item numbers of a list always fit four digits.
ItemKey::ItemKey(const char* field, int item)
{
    const size_t fieldLength = std::strlen(field);
    if (item < 0 || item > 9999 || fieldLength + 4 >= sizeof text_) {
        const int written = std::snprintf(text_, sizeof text_, "%s%04d", field, item);
        length_ = std::min(static_cast<size_t>(std::max(written, 0)), sizeof text_ - 1);
        return;
    }
    std::memcpy(text_, field, fieldLength);
    for (size_t digit = 4; digit-- > 0; item /= 10) text_[fieldLength + digit] = static_cast<char>('0' + item % 10);
    length_ = fieldLength + 4;
    text_[length_] = '\0';
}

} // namespace tlco::profilefile
