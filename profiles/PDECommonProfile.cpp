// Profile pop-ups and the per-job profile selection: the profile list's shown entries are appended
// after a pop-up's PPD choices, and a chosen entry travels in the model dictionary as its
// nibble-encoded path on the printer.
#include "binding/PDECommon.h"

#include "base/Localize.h"
#include "base/Status.h"
#include "profiles/NibbleCodec.h"
#include "profiles/ProfileText.h"
#include "profiles/TLPList.h"
#include "ui/PopUpButton.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>

namespace tlco {
namespace {

constexpr const char* kCustomSuffix = "Custom";
constexpr const char* kCustomFilenameSuffix = "CustomFilename";
constexpr const char* kFlagTrue = "True";
constexpr const char* kDiskPrefix = "/ata1a/data/USfiles/Profiles/";
constexpr const char* kCardPrefix = "/ataCf1a/data/USfiles/Profiles/";
constexpr size_t kTitleBufferSize = 256;
constexpr size_t kPathBufferSize = 97;
constexpr size_t kStoredPathLimit = 1023;

// The list a profile pop-up draws on, or -1 for a record that is no profile pop-up.
int listIndexOf(const PDEControlRecord* record)
{
    if (!record) return -1;
    switch (record->profileKind) {
    case kProfileKindRGB: return kListRGB;
    case kProfileKindDestination: return kListDST;
    case kProfileKindSimulation: return kListSIM;
    default: return -1;
    }
}

std::string keyWithSuffix(const PDEControlRecord* record, const char* suffix)
{
    return std::string(record->ppdKey ? record->ppdKey : "") + suffix;
}

int usedCount(const ProfileList& list) { return std::clamp<int32_t>(list.iNum, 0, kProfileListCapacity); }

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

std::string menuTitle(const ProfileItem& item, const std::string& locationWord)
{
    // A name cut inside a character must not cost the pop-up its other entries. One buffer per title:
    // a pop-up holds hundreds.
    std::string title;
    title.reserve(kTitleBufferSize);
    appendDisplayableUtf8(title, fieldText(item.FileName));
    title += '(';
    appendDisplayableUtf8(title, fieldText(item.ProfileName));
    title += ')';
    title += locationWord.c_str();
    if (title.size() < kTitleBufferSize && isValidUtf8(title)) return title;
    // Longer titles are cut at the buffer's size, and what the cut leaves is made displayable.
    title.resize(std::min(title.size(), kTitleBufferSize - 1));
    return displayableUtf8(title);
}

} // namespace

int32_t PDECommon::commonAddMenuFromProfilePlist(const PDEControlRecord* table)
{
    if (!table) return paramErr;
    auto lists = std::make_unique<ProfileList[]>(3);
    int32_t result = TLPListReadProfile_All(&lists[kListRGB], &lists[kListSIM], &lists[kListDST]);
    if (result != kTLPListOK) return result;
    int32_t status = noErr;
    for (const PDEControlRecord* record = table; record->type != kControlEnd; ++record) {
        int listIndex = listIndexOf(record);
        auto* popUp = dynamic_cast<ui::PopUpButton*>(record->control);
        if (listIndex < 0 || !popUp) {
            status = paramErr;
            continue;
        }
        const ProfileList& list = lists[static_cast<size_t>(listIndex)];
        int count = usedCount(list);
        for (int i = 0; i < count; ++i) {
            const ProfileItem& item = list.litem[i];
            // The same test as the numbering of the ticket operations, so item k is always entry k.
            if (!isShownState(item.iInMenu)) continue;
            std::string word;
            if (item.iLocation == kLocationDisk || item.iLocation == kLocationCard) {
                auto localized = localizedString(item.iLocation == kLocationDisk ? "Disk" : "Card");
                if (!localized) {
                    status = paramErr;
                    continue;
                }
                word = std::move(*localized);
            }
            popUp->addItemWithTitle(menuTitle(item, word));
        }
    }
    return status;
}

int32_t PDECommon::commonSetTicketAddedProfileFlag(const PDEControlRecord* record, cf::Dictionary* dictionary,
                                                   const char* flag)
{
    if (listIndexOf(record) < 0 || !dictionary || !flag) return noErr;
    dictionary->set(keyWithSuffix(record, kCustomSuffix), cf::String::create(flag));
    return noErr;
}

cf::Ref PDECommon::commonGetTicketAddedProfileFlag(const PDEControlRecord* record, const cf::Dictionary* dictionary)
{
    if (listIndexOf(record) < 0 || !dictionary) return nullptr;
    return dictionary->get(keyWithSuffix(record, kCustomSuffix));
}

int32_t PDECommon::commonSetTicketAddedProfile(const PDEControlRecord* record, cf::Dictionary* dictionary,
                                               int16_t select)
{
    int listIndex = listIndexOf(record);
    if (!dictionary || listIndex < 0) return kTLPListError;
    auto list = readList(listIndex);
    std::string path;
    int count = usedCount(*list);
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
    dictionary->set(keyWithSuffix(record, kCustomFilenameSuffix), cf::String::create(nibbleEncode(path)));
    commonSetTicketAddedProfileFlag(record, dictionary, kFlagTrue);
    return noErr;
}

int32_t PDECommon::commonGetTicketAddedProfile(const PDEControlRecord* record, const cf::Dictionary* dictionary)
{
    int listIndex = listIndexOf(record);
    if (!dictionary || listIndex < 0) return kTLPListError;
    auto stored = dictionary->getString(keyWithSuffix(record, kCustomFilenameSuffix));
    if (!stored) return 0;
    const std::string& text = stored->utf8();
    if (text.size() > kStoredPathLimit) return 0;
    if (std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) > 0x7F; })) return 0;
    std::string path = nibbleDecode(text);
    // The path is a C string on the printer's side: it ends at its first NUL.
    path.resize(std::min(path.size(), path.find('\0')));
    auto list = readList(listIndex);
    int count = usedCount(*list);
    for (int i = 0, shown = 0; i < count; ++i) {
        const ProfileItem& item = list->litem[i];
        if (!isShownState(item.iInMenu)) continue;
        ++shown;
        if (item.iLocation != kLocationDisk && item.iLocation != kLocationCard) continue;
        if (printerSidePath(item) == path) return shown;
    }
    return 0;
}

} // namespace tlco
