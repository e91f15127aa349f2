// SPDX-License-Identifier: Apache-2.0
// Re-confirms, adds, demotes and drops the listed printer profiles by what the last walk fetched.
#include "discovery/SpoolRestructure.h"

#include "base/PDELog.h"
#include "base/Status.h"
#include "discovery/Spool.h"
#include "profiles/store/TLPList.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace tlco {

namespace {

constexpr size_t kMaxBeforeDot = 8;
constexpr size_t kMaxAfterDot = 3;

bool isFileNameCharacter(unsigned char c)
{
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) return true;
    switch (c) {
    case 0x21:
    case 0x23:
    case 0x24:
    case 0x25:
    case 0x26:
    case 0x27:
    case 0x28:
    case 0x29:
    case 0x2D:
    case 0x2E:
    case 0x5E:
    case 0x5F:
    case 0x60:
    case 0x7B:
    case 0x7D:
    case 0x7E:
        return true;
    default:
        return false;
    }
}

// A name field read from a file or the printer, taken as a string even without its terminator.
bool isEightDotThree(const char (&field)[kProfileNameSize])
{
    char name[kProfileNameSize + 1] = {};
    std::memcpy(name, field, sizeof field);
    return bJudgement8point3Format(name);
}

// The record's item count as an index bound, whatever the file claimed.
int usedBound(const ProfileList& list)
{
    return std::clamp(list.iNum, 0, kProfileListCapacity);
}

void markByWalkResult(ProfileList& list, bool succeeded)
{
    for (ProfileItem& item : list.litem) {
        switch (item.iInMenu) {
        case kStatePrinterUnconfirmed:
        case kStatePrinterPresent:
            // A freed slot keeps its other fields and stays counted until the file is read again.
            item.iInMenu = succeeded ? kStatePrinterUnconfirmed : kStateEmpty;
            break;
        case kStatePrinterPresentShown:
            item.iInMenu = succeeded ? kStatePrinterUnconfirmedShown : kStateUserShown;
            break;
        default:
            break;
        }
    }
}

bool purgeNon83Names(ProfileList& list)
{
    bool cleared = false;
    for (ProfileItem& item : list.litem) {
        if (item.FileName[0] == '\0' || isEightDotThree(item.FileName)) continue;
        std::memset(&item, 0, sizeof item);
        --list.iNum;
        cleared = true;
    }
    return cleared;
}

struct WorkingLists {
    ProfileList rgb;
    ProfileList sim;
    ProfileList dst;
};

} // namespace

bool bJudgement8point3Format(const char* name)
{
    if (!name || name[0] == '\0') return false;
    const size_t length = std::strlen(name);
    if (const char* dot = std::strchr(name, '.')) {
        const size_t before = static_cast<size_t>(dot - name);
        const size_t after = length - before - 1;
        if (before < 1 || before > kMaxBeforeDot || after > kMaxAfterDot) return false;
    } else if (length > kMaxBeforeDot) {
        return false;
    }
    for (size_t i = 0; i < length; ++i)
        if (!isFileNameCharacter(static_cast<unsigned char>(name[i]))) return false;
    return true;
}

void vRestructDetail(int slot, ProfileList* list)
{
    if (!list || slot < 0 || slot >= kProfileListCapacity) return;
    const ProfileItem& fetched = PlistForSpool.litem[slot];

    // Free slots are skipped: one freed by a failed walk still holds the old name and location, and
    // matching it would drop the row the printer has just returned.
    const int searched = usedBound(*list);
    for (int i = 0; i < searched; ++i) {
        ProfileItem& item = list->litem[i];
        if (item.iInMenu == kStateEmpty) continue;
        if (std::memcmp(item.FileName, fetched.FileName, sizeof item.FileName) != 0 ||
            item.iLocation != fetched.iLocation)
            continue;
        switch (item.iInMenu) {
        case kStatePrinterUnconfirmed:
        case kStateUser:
            item.iInMenu = kStatePrinterPresent;
            break;
        case kStatePrinterUnconfirmedShown:
        case kStateUserShown:
            item.iInMenu = kStatePrinterPresentShown;
            break;
        default:
            break;
        }
        return;
    }

    for (ProfileItem& item : list->litem) {
        if (item.iInMenu != kStateEmpty) continue;
        item = fetched;
        item.iInMenu = kStatePrinterPresent;
        ++list->iNum;
        return;
    }
}

int32_t vRestructPlistSpool2Current(int flag)
{
    // Read, merged and written under one lock: a profile another dialog saves meanwhile stays.
    ProfileListLock lock;
    if (!lock.held()) {
        PDEWarn("%s", profileListSaveFailure(lock.reason()).c_str());
        return kTLPListError;
    }
    auto lists = std::make_unique<WorkingLists>();
    ProfileList* const records[] = {&lists->rgb, &lists->sim, &lists->dst};
    std::memset(lists.get(), 0, sizeof *lists);
    // A list that cannot be read is merged as an empty one.
    TLPListReadProfile_All(records[0], records[1], records[2]);

    for (ProfileList* list : records) markByWalkResult(*list, flag == 0);

    bool purged = false;
    for (ProfileList* list : records) purged = purgeNon83Names(*list) || purged;
    if (purged)
        for (ProfileList* list : records) TLPListPaddingProfile_Dict(list);

    // Every slot, not only the first iNum: a printer numbers its rows by profile, so a deleted
    // profile leaves a gap, and the rows after it must not be lost. Slots no row filled have no
    // location and are passed over.
    for (int slot = 0; slot < kProfileListCapacity; ++slot) {
        const ProfileItem& item = PlistForSpool.litem[slot];
        if (item.iLocation != kLocationDisk && item.iLocation != kLocationCard) continue;
        if (!isEightDotThree(item.FileName)) continue;
        switch (item.iProfileClass) {
        case 1:
        case 2:
            vRestructDetail(slot, records[kListRGB]);
            break;
        case 3:
            vRestructDetail(slot, records[kListSIM]);
            vRestructDetail(slot, records[kListDST]);
            break;
        default:
            break;
        }
    }

    for (ProfileList* list : records) {
        TLPListCleanProfile_Dict(list);
        TLPListPaddingProfile_Dict(list);
        TLPListSalvage_Dict(list);
    }
    return TLPListWriteProfile_All(records[0], records[1], records[2]);
}

} // namespace tlco
