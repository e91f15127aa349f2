// SPDX-License-Identifier: Apache-2.0
// Menu items for the profile list's shown entries.
#include "profiles/ProfileMenus.h"

#include "base/Localize.h"
#include "base/Status.h"
#include "profiles/ProfileTicketEntries.h"
#include "profiles/store/TLPList.h"
#include "ui/PopUpButton.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <string>

namespace tlco {
namespace {

constexpr size_t kTitleBufferSize = 256;

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

// Appends the shown entries of one list; paramErr when a location word has no translation.
int32_t appendEntries(ui::PopUpButton& popUp, const ProfileList& list)
{
    // Looked up once per list: a list holds up to 500 entries.
    const std::optional<std::string> disk = localizedString("Disk");
    const std::optional<std::string> card = localizedString("Card");
    const std::string noWord;
    int32_t status = noErr;
    int count = usedItemCount(list);
    for (int i = 0; i < count; ++i) {
        const ProfileItem& item = list.litem[i];
        // The same test as the numbering of the ticket entries, so item k is always entry k.
        if (!isShownState(item.iInMenu)) continue;
        const bool onPrinter = item.iLocation == kLocationDisk || item.iLocation == kLocationCard;
        const std::optional<std::string>& word = item.iLocation == kLocationDisk ? disk : card;
        if (onPrinter && !word) {
            status = paramErr;
            continue;
        }
        popUp.addItemWithTitle(menuTitle(item, onPrinter ? *word : noWord));
    }
    return status;
}

} // namespace

int32_t appendProfileMenus(const PDEControlRecord* table)
{
    if (!table) return paramErr;
    auto lists = std::make_unique<ProfileList[]>(3);
    int32_t result = TLPListReadProfile_All(&lists[kListRGB], &lists[kListSIM], &lists[kListDST]);
    if (result != kTLPListOK) return result;
    int32_t status = noErr;
    for (const PDEControlRecord* record = table; record->type != kControlEnd; ++record) {
        int listIndex = profileListOf(record);
        auto* popUp = dynamic_cast<ui::PopUpButton*>(record->control);
        if (listIndex < 0 || !popUp) {
            status = paramErr;
            continue;
        }
        if (appendEntries(*popUp, lists[static_cast<size_t>(listIndex)]) != noErr) status = paramErr;
    }
    return status;
}

} // namespace tlco
