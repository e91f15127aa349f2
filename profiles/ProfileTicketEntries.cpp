// SPDX-License-Identifier: Apache-2.0
// Profile entries chosen per job, found again in the profile list by their path on the printer.
#include "profiles/ProfileTicketEntries.h"

#include "base/Status.h"
#include "binding/ProfileChoiceKeys.h"
#include "cf/String.h"
#include "profiles/NibbleCodec.h"
#include "profiles/store/TLPList.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <string>

namespace tlco {
namespace {

constexpr const char* kDiskPrefix = "/ata1a/data/USfiles/Profiles/";
constexpr const char* kCardPrefix = "/ataCf1a/data/USfiles/Profiles/";
constexpr size_t kPathBufferSize = 97;
constexpr size_t kStoredPathLimit = 1023;

// Where the printer keeps the entry's file; entries of no known location give the bare file name.
std::string printerSidePath(const ProfileItem& item)
{
    const char* prefix = "";
    if (item.iLocation == kLocationDisk) prefix = kDiskPrefix;
    if (item.iLocation == kLocationCard) prefix = kCardPrefix;
    std::string path = prefix;
    path.append(fieldText(item.FileName));
    if (path.size() >= kPathBufferSize) path.resize(kPathBufferSize - 1);
    return path;
}

std::unique_ptr<ProfileList> readList(int listIndex)
{
    auto list = std::make_unique<ProfileList>();
    if (TLPListReadProfile_Dict(list.get(), listIndex) != kTLPListOK) *list = ProfileList{};
    return list;
}

// The path a stored, nibble-encoded value names; nothing for one too long or not ASCII.
std::optional<std::string> storedPath(const std::string& text)
{
    if (text.size() > kStoredPathLimit) return std::nullopt;
    if (std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) > 0x7F; }))
        return std::nullopt;
    std::string path = nibbleDecode(text);
    // The path is a C string on the printer's side: it ends at its first NUL.
    path.resize(std::min(path.size(), path.find('\0')));
    return path;
}

class ProfileListEntries final : public ProfileEntrySource {
public:
    int32_t storeChosenEntry(const PDEControlRecord* record, cf::Dictionary* model, int16_t select) const override
    {
        return storeChosenProfile(record, model, select);
    }
    int32_t chosenEntry(const PDEControlRecord* record, const cf::Dictionary* model) const override
    {
        return chosenProfile(record, model);
    }
};

} // namespace

int profileListOf(const PDEControlRecord* record)
{
    if (!record) return -1;
    switch (record->profileKind) {
    case kProfileKindRGB:
        return kListRGB;
    case kProfileKindDestination:
        return kListDST;
    case kProfileKindSimulation:
        return kListSIM;
    default:
        return -1;
    }
}

int32_t storeChosenProfile(const PDEControlRecord* record, cf::Dictionary* dictionary, int16_t select)
{
    int listIndex = profileListOf(record);
    if (!dictionary || listIndex < 0) return kTLPListError;
    auto list = readList(listIndex);
    std::string path;
    int count = usedItemCount(*list);
    for (int i = 0, shown = 0; i < count; ++i) {
        const ProfileItem& item = list->litem[i];
        if (!isShownState(item.iInMenu)) continue;
        if (++shown == select) {
            path = printerSidePath(item);
            break;
        }
    }
    if (record->choices && !record->choices->empty()) {
        const ChoiceEntry& first = record->choices->front();
        dictionary->set(first.option, cf::String::create(first.keyword));
    }
    dictionary->set(profileFileNameKey(record), cf::String::create(nibbleEncode(path)));
    setProfileChosenFlag(record, dictionary, kProfileFlagTrue);
    return noErr;
}

int32_t chosenProfile(const PDEControlRecord* record, const cf::Dictionary* dictionary)
{
    int listIndex = profileListOf(record);
    if (!dictionary || listIndex < 0) return kTLPListError;
    auto stored = dictionary->getString(profileFileNameKey(record));
    if (!stored) return 0;
    std::optional<std::string> path = storedPath(stored->utf8());
    if (!path) return 0;
    auto list = readList(listIndex);
    int count = usedItemCount(*list);
    for (int i = 0, shown = 0; i < count; ++i) {
        const ProfileItem& item = list->litem[i];
        if (!isShownState(item.iInMenu)) continue;
        ++shown;
        if (item.iLocation != kLocationDisk && item.iLocation != kLocationCard) continue;
        if (printerSidePath(item) == *path) return shown;
    }
    return 0;
}

const ProfileEntrySource& profileListEntries()
{
    static const ProfileListEntries entries;
    return entries;
}

} // namespace tlco
