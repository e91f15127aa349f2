// SPDX-License-Identifier: Apache-2.0
// The profile list store: where the per-user profile list file lives, how its three lists are read
// and written, and the write-access probe.
#include "profiles/store/TLPListStore.h"

#include "base/Status.h"
#include "profiles/store/ProfileListFile.h"
#include "profiles/store/ProfileListLock.h"
#include "profiles/store/ProfileListSave.h"
#include "profiles/store/StoredLists.h"
#include "profiles/store/TLPListMapping.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <pwd.h>
#include <unistd.h>
#include <vector>

namespace tlco {
namespace {

constexpr size_t kPathBufferSize = 255;

bool validListIndex(int listIndex)
{
    return listIndex >= kListRGB && listIndex <= kListDST;
}

// Everything of an item but its state; what the file lacks stays as it was.
void readItemDetails(const StoredItem& from, ProfileItem& into)
{
    if (from.has(kFieldIndexOnDevice)) into.iIndexOnDevice = from.indexOnDevice;
    if (from.has(kFieldProfileClass)) into.iProfileClass = from.profileClass;
    if (from.has(kFieldFileName)) std::memcpy(into.FileName, from.fileName, sizeof into.FileName);
    if (from.has(kFieldProfileName)) std::memcpy(into.ProfileName, from.profileName, sizeof into.ProfileName);
    if (from.has(kFieldLocation)) into.iLocation = from.location;
}

void readCount(const StoredList& from, ProfileList& list)
{
    if (from.hasCount) list.iNum = from.count;
}

void fillList(const StoredList& from, ProfileList& list)
{
    for (int item = 0; item < kProfileListCapacity; ++item) {
        const StoredItem& stored = from.items[static_cast<size_t>(item)];
        ProfileItem& into = list.litem[item];
        if (stored.has(kFieldInMenu)) into.iInMenu = stored.inMenu;
        readItemDetails(stored, into);
    }
    readCount(from, list);
    TLPlistCheckWithInMenu_Dict(&list);
}

// Hidden printer profiles are left out, and shown ones become user profiles: for such printers the
// list can't be confirmed against the printer.
void fillListPap(const StoredList& from, ProfileList& list)
{
    int slot = 0;
    for (int item = 0; item < kProfileListCapacity; ++item) {
        const StoredItem& stored = from.items[static_cast<size_t>(item)];
        ProfileItem& into = list.litem[slot];
        int32_t state = stored.has(kFieldInMenu) ? stored.inMenu : into.iInMenu;
        if (state == kStatePrinterPresent) continue;
        into.iInMenu = state == kStatePrinterPresentShown ? kStateUserShown : state;
        readItemDetails(stored, into);
        ++slot;
    }
    readCount(from, list);
    TLPlistCheckWithInMenu_Dict(&list);
}

struct ReadTarget {
    ProfileList* list;
    int listIndex;
};

// Every class and field dictionary is checked before any record is touched.
int32_t readLists(std::initializer_list<ReadTarget> targets, bool pap)
{
    for (const ReadTarget& target : targets)
        if (!target.list || !validListIndex(target.listIndex)) return kTLPListError;
    auto path = TLPListMakePath(kProfileListFile);
    if (!path) return kTLPListError;
    std::shared_ptr<const profilefile::Loaded> loaded = profilefile::load(*path);
    if (!loaded->lists) return kTLPListError;
    for (const ReadTarget& target : targets)
        if (!loaded->lists->lists[static_cast<size_t>(target.listIndex)].complete) return kTLPListError;
    for (const ReadTarget& target : targets) {
        const StoredList& from = loaded->lists->lists[static_cast<size_t>(target.listIndex)];
        if (pap)
            fillListPap(from, *target.list);
        else
            fillList(from, *target.list);
    }
    return kTLPListOK;
}

// Three records allocated together, zeroed.
struct ListSet {
    ProfileList lists[3];
};

std::unique_ptr<ListSet> makeListSet()
{
    return std::make_unique<ListSet>();
}

void copyIfGiven(ProfileList* to, const ProfileList& from)
{
    if (to) *to = from;
}

} // namespace

bool probeWriteAccess(const char* failurePrefix)
{
    std::string reason;
    if (checkWriteAccess(&reason)) return true;
    if (failurePrefix) warnFailure(failurePrefix, reason);
    return false;
}

std::optional<std::string> TLPListMakePath(const char* relativePath)
{
    if (!relativePath) return std::nullopt;
    long suggested = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(suggested > 0 ? static_cast<size_t>(suggested) : 16384);
    struct passwd entry;
    struct passwd* found = nullptr;
    for (;;) {
        int error = ::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found);
        if (error == ERANGE && buffer.size() < (1u << 20)) {
            buffer.resize(buffer.size() * 2);
            continue;
        }
        if (error != 0 || !found) return std::nullopt;
        break;
    }
    if (!found->pw_dir || found->pw_dir[0] == '\0') return std::nullopt;
    char path[kPathBufferSize];
    int length = std::snprintf(path, sizeof path, "%s/%s", found->pw_dir, relativePath);
    if (length < 0 || static_cast<size_t>(length) >= sizeof path) return std::nullopt;
    return std::string(path, static_cast<size_t>(length));
}

int32_t TLPListReadProfile_All(ProfileList* rgb, ProfileList* sim, ProfileList* dst)
{
    return readLists({{rgb, kListRGB}, {sim, kListSIM}, {dst, kListDST}}, false);
}

int32_t TLPListReadProfile_Dict(ProfileList* list, int listIndex)
{
    return readLists({{list, listIndex}}, false);
}

int32_t TLPListReadProfile_Dict_Pap(ProfileList* list, int listIndex)
{
    return readLists({{list, listIndex}}, true);
}

int32_t TLPListWriteProfile_All(const ProfileList* rgb, const ProfileList* sim, const ProfileList* dst)
{
    if (!rgb || !sim || !dst) return kTLPListError;
    return saveProfileLists(*rgb, *sim, *dst, nullptr) ? kTLPListOK : kTLPListError;
}

int32_t TLPListWriteProfile_Dict(
    const ProfileList* list, int listIndex, ProfileList* rgbOut, ProfileList* simOut, ProfileList* dstOut)
{
    // Read and written under one lock, so that no other dialog's save falls in between.
    ProfileListLock lock;
    auto read = makeListSet();
    TLPListReadProfile_All(&read->lists[kListRGB], &read->lists[kListSIM], &read->lists[kListDST]);
    if (!lock.held()) warnFailure("cannot save the profile list", lock.reason());
    // The given record may be one of the out-records, which the file's lists are about to fill.
    std::unique_ptr<ProfileList> given;
    if (validListIndex(listIndex) && list) given = std::make_unique<ProfileList>(*list);
    ProfileList* outs[3] = {rgbOut, simOut, dstOut};
    for (int i = 0; i < 3; ++i) copyIfGiven(outs[i], read->lists[i]);
    if (!validListIndex(listIndex)) return listIndex;
    if (!given || !lock.held()) return kTLPListError;
    read->lists[listIndex] = *given;
    int32_t result = TLPListWriteProfile_All(&read->lists[kListRGB], &read->lists[kListSIM], &read->lists[kListDST]);
    copyIfGiven(outs[listIndex], *given);
    return result;
}

int32_t TLPListWriteProfile_All_Pap(const ProfileList* rgb, const ProfileList* sim, const ProfileList* dst,
    const ProfileList* rgbDeleted, const ProfileList* simDeleted, const ProfileList* dstDeleted)
{
    return savePrinterLists({rgb, sim, dst}, {rgbDeleted, simDeleted, dstDeleted}, nullptr) ? kTLPListOK
                                                                                            : kTLPListError;
}

int32_t TLPListIsAdminProfile()
{
    return probeWriteAccess(nullptr) ? 1 : 0;
}

void TLPlistCheckWithInMenu_Dict(ProfileList* list)
{
    if (!list) return;
    int count = 0;
    bool usedBeyondCount = false;
    for (int i = 0; i < kProfileListCapacity; ++i) {
        if (list->litem[i].iInMenu == kStateEmpty) continue;
        ++count;
        usedBeyondCount = usedBeyondCount || i >= list->iNum;
    }
    // A right count with a gap before the last used item is packed as well: the lists are read up
    // to iNum, and the item after the gap would be lost.
    if (count == list->iNum && !usedBeyondCount) return;
    // Used items move up first: an item whose state could not be read must not take the items after
    // it along when the tail is cleared.
    int next = 0;
    for (const ProfileItem& item : list->litem)
        if (item.iInMenu != kStateEmpty) list->litem[next++] = item;
    for (int i = count; i < kProfileListCapacity; ++i) list->litem[i] = ProfileItem{};
    list->iNum = count;
}

} // namespace tlco
