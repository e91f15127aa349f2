// SPDX-License-Identifier: Apache-2.0
// Three-way merge of a profile list by file name and place.
#include "profiles/store/ListEditMerge.h"

#include "profiles/store/ProfileText.h"

#include <cstring>
#include <memory>

namespace tlco {
namespace {

// Profiles the user registers are numbered after the printer's own table.
constexpr int32_t kUserIndexBase = 500;

bool sameProfile(const ProfileItem& a, const ProfileItem& b)
{
    return a.iLocation == b.iLocation && fieldText(a.FileName) == fieldText(b.FileName);
}

bool sameItem(const ProfileItem& a, const ProfileItem& b)
{
    return sameProfile(a, b) && a.iIndexOnDevice == b.iIndexOnDevice && a.iInMenu == b.iInMenu &&
        a.iProfileClass == b.iProfileClass && fieldText(a.ProfileName) == fieldText(b.ProfileName);
}

int indexOf(const ProfileList& list, const ProfileItem& like)
{
    const int count = usedItemCount(list);
    for (int i = 0; i < count; ++i)
        if (sameProfile(list.litem[i], like)) return i;
    return -1;
}

void removeAt(ProfileList& list, int index)
{
    const int count = usedItemCount(list);
    if (index < 0 || index >= count) return;
    std::memmove(static_cast<void*>(&list.litem[index]), &list.litem[index + 1],
        sizeof(ProfileItem) * static_cast<size_t>(count - index - 1));
    list.litem[count - 1] = ProfileItem{};
    list.iNum = count - 1;
}

bool isUserProfile(const ProfileItem& item)
{
    return (item.iInMenu == kStateUser || item.iInMenu == kStateUserShown) && item.iIndexOnDevice >= kUserIndexBase;
}

void append(ProfileList& list, const ProfileItem& item, bool added)
{
    const int count = usedItemCount(list);
    if (count >= kProfileListCapacity) return;
    list.litem[count] = item;
    if (added && isUserProfile(item)) list.litem[count].iIndexOnDevice = kUserIndexBase + count;
    list.iNum = count + 1;
}

} // namespace

bool sameListItems(const ProfileList& a, const ProfileList& b)
{
    const int count = usedItemCount(a);
    if (count != usedItemCount(b)) return false;
    for (int i = 0; i < count; ++i)
        if (!sameItem(a.litem[i], b.litem[i])) return false;
    return true;
}

void mergeListEdits(const ProfileList& base, const ProfileList& edited, const ProfileList& current, ProfileList& out)
{
    auto merged = std::make_unique<ProfileList>(current);
    const int baseCount = usedItemCount(base);
    for (int i = 0; i < baseCount; ++i)
        if (indexOf(edited, base.litem[i]) < 0) removeAt(*merged, indexOf(*merged, base.litem[i]));
    const int editedCount = usedItemCount(edited);
    for (int i = 0; i < editedCount; ++i) {
        const ProfileItem& item = edited.litem[i];
        const int before = indexOf(base, item);
        if (before >= 0 && sameItem(base.litem[before], item)) continue;
        const int now = indexOf(*merged, item);
        if (now >= 0)
            merged->litem[now] = item;
        else
            append(*merged, item, before < 0);
    }
    out = *merged;
}

} // namespace tlco
