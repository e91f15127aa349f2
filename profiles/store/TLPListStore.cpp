// SPDX-License-Identifier: Apache-2.0
// The profile list store: where the per-user profile list file lives, how its three lists are read
// and written, and the write-access probe.
#include "profiles/store/TLPListStore.h"

#include "base/PDELog.h"
#include "base/Status.h"
#include "cf/File.h"
#include "profiles/store/FastListWriter.h"
#include "profiles/store/ProfileListCache.h"
#include "profiles/store/ProfileListFile.h"
#include "profiles/store/StoredLists.h"
#include "profiles/store/TLPListMapping.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace tlco {
namespace {

constexpr size_t kPathBufferSize = 255;
constexpr mode_t kProfileFileMode = 0664;
constexpr const char* kDamagedSuffix = ".damaged";
constexpr mode_t kFolderMode = 0700;

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

// A file that holds no complete profile list is set aside before it is replaced: it may be the
// user's only copy, and a later version may read it.
bool keepDamagedFile(const std::string& path, const profilefile::Loaded& current, std::string* reason)
{
    switch (current.state) {
    case profilefile::Loaded::State::Missing:
    case profilefile::Loaded::State::Complete:
        return true;
    case profilefile::Loaded::State::Unreadable:
        *reason = "the file there cannot be read (" + current.reason + ") and is left as it is";
        return false;
    case profilefile::Loaded::State::Damaged:
        break;
    }
    const std::string damaged = path + kDamagedSuffix;
    std::string why;
    if (!cf::File::replace(damaged, *current.bytes, kProfileFileMode, &why)) {
        *reason = "it cannot be read (" + current.reason + ") and cannot be kept as " + damaged + " (" + why + ")";
        return false;
    }
    PDEWarn("the profile list %s cannot be read (%s); it is kept as %s", path.c_str(), current.reason.c_str(),
        damaged.c_str());
    return true;
}

// Writes whole: a reader sees the old file or the new one, and a failed write leaves the old one.
int32_t writeLists(const ProfileList& rgb, const ProfileList& sim, const ProfileList& dst)
{
    auto path = TLPListMakePath(kProfileListFile);
    if (!path) {
        PDEWarn("cannot save the profile list: the user has no home folder for it");
        return kTLPListError;
    }
    auto lists = std::make_shared<StoredLists>(storedListsOf(rgb, sim, dst));
    std::shared_ptr<const profilefile::Loaded> current = profilefile::load(*path);
    // The file already reads as these lists: it stays as it is, in whatever layout it has, and
    // most merges end here without formatting half a megabyte.
    if (current->state == profilefile::Loaded::State::Complete && current->lists && *current->lists == *lists)
        return kTLPListOK;
    auto written = std::make_shared<profilefile::Loaded>();
    written->bytes = writeListsXml(rgb, sim, dst);
    std::string reason;
    if (!keepDamagedFile(*path, *current, &reason) ||
        !cf::File::replace(*path, *written->bytes, kProfileFileMode, &reason)) {
        PDEWarn("cannot save the profile list %s: %s", path->c_str(), reason.c_str());
        return kTLPListError;
    }
    written->state = profilefile::Loaded::State::Complete;
    written->lists = std::move(lists);
    profilefile::ProfileListCache::shared().remember(*path, std::move(written));
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

// Creates Library/Preferences under the home when missing; a fresh account may not have it.
void createPreferencesFolders()
{
    for (const char* folder : {"Library", "Library/Preferences"}) {
        auto path = TLPListMakePath(folder);
        if (!path) return;
        if (::mkdir(path->c_str(), kFolderMode) != 0 && errno != EEXIST) return;
    }
}

} // namespace

// Asks, with the effective ids, whether the file (or, while there is none, its folder) may be
// written. Nothing is created or removed: a probe that made the real file and removed it again
// could remove another dialog's save made in between.
bool probeWriteAccess(const char* failurePrefix)
{
    auto path = TLPListMakePath(kProfileListFile);
    if (!path) {
        if (failurePrefix) PDEWarn("%s: the user has no home folder for it", failurePrefix);
        return false;
    }
    createPreferencesFolders();
    struct stat status;
    const bool exists = ::stat(path->c_str(), &status) == 0;
    if (exists && !S_ISREG(status.st_mode)) {
        if (failurePrefix) PDEWarn("%s %s: it is not a regular file", failurePrefix, path->c_str());
        return false;
    }
    const std::string checked = exists ? *path : cf::File::folderOf(*path);
    if (::faccessat(AT_FDCWD, checked.c_str(), exists ? W_OK : W_OK | X_OK, AT_EACCESS) == 0) return true;
    if (failurePrefix)
        PDEWarn("%s %s: %s is not writable (%s)", failurePrefix, path->c_str(), checked.c_str(), std::strerror(errno));
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
    if (!probeWriteAccess("cannot save the profile list")) return kTLPListError;
    return writeLists(*rgb, *sim, *dst);
}

int32_t TLPListWriteProfile_Dict(
    const ProfileList* list, int listIndex, ProfileList* rgbOut, ProfileList* simOut, ProfileList* dstOut)
{
    auto read = makeListSet();
    TLPListReadProfile_All(&read->lists[kListRGB], &read->lists[kListSIM], &read->lists[kListDST]);
    // The given record may be one of the out-records, which the file's lists are about to fill.
    std::unique_ptr<ProfileList> given;
    if (validListIndex(listIndex) && list) given = std::make_unique<ProfileList>(*list);
    ProfileList* outs[3] = {rgbOut, simOut, dstOut};
    for (int i = 0; i < 3; ++i) copyIfGiven(outs[i], read->lists[i]);
    if (!validListIndex(listIndex)) return listIndex;
    if (!given) return kTLPListError;
    read->lists[listIndex] = *given;
    int32_t result = TLPListWriteProfile_All(&read->lists[kListRGB], &read->lists[kListSIM], &read->lists[kListDST]);
    copyIfGiven(outs[listIndex], *given);
    return result;
}

int32_t TLPListWriteProfile_All_Pap(const ProfileList* rgb, const ProfileList* sim, const ProfileList* dst,
    const ProfileList* rgbDeleted, const ProfileList* simDeleted, const ProfileList* dstDeleted)
{
    if (!probeWriteAccess("cannot save the profile list")) return kTLPListError;
    auto merged = makeListSet();
    TLPListMappingProfile_All_Pap(rgb, sim, dst, &merged->lists[kListRGB], &merged->lists[kListSIM],
        &merged->lists[kListDST], rgbDeleted, simDeleted, dstDeleted);
    return writeLists(merged->lists[kListRGB], merged->lists[kListSIM], merged->lists[kListDST]);
}

int32_t TLPListIsAdminProfile()
{
    return probeWriteAccess(nullptr) ? 1 : 0;
}

void TLPlistCheckWithInMenu_Dict(ProfileList* list)
{
    if (!list) return;
    int count = 0;
    for (const ProfileItem& item : list->litem)
        if (item.iInMenu != kStateEmpty) ++count;
    if (count == list->iNum) return;
    // Used items move up first: an item whose state could not be read must not take the items after
    // it along when the tail is cleared.
    int next = 0;
    for (const ProfileItem& item : list->litem)
        if (item.iInMenu != kStateEmpty) list->litem[next++] = item;
    for (int i = count; i < kProfileListCapacity; ++i) list->litem[i] = ProfileItem{};
    list->iNum = count;
}

} // namespace tlco
