// SPDX-License-Identifier: Apache-2.0
// Saving the profile lists: the write-access check, the lock, keeping a damaged file aside, and the
// reason a save failed, on standard error and for the caller.
#include "profiles/store/ProfileListSave.h"

#include "base/PDELog.h"
#include "cf/File.h"
#include "profiles/store/FastListWriter.h"
#include "profiles/store/ProfileListCache.h"
#include "profiles/store/ProfileListFile.h"
#include "profiles/store/ProfileListLock.h"
#include "profiles/store/StoredLists.h"
#include "profiles/store/TLPListEdits.h"
#include "profiles/store/TLPListMapping.h"
#include "profiles/store/TLPListStore.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace tlco {
namespace {

constexpr mode_t kProfileFileMode = 0664;
constexpr const char* kDamagedSuffix = ".damaged";
constexpr mode_t kFolderMode = 0700;
constexpr const char* kNoHome = "the user has no home folder for it";
constexpr const char* kSaveFailure = "cannot save the profile list";

// A file that holds no complete profile list, or more than the lists keep, is set aside before it is
// replaced: it may be the user's only copy, and a later version may read it.
bool keepDamagedFile(const std::string& path, const profilefile::Loaded& current, std::string* reason)
{
    std::string problem = current.reason;
    switch (current.state) {
    case profilefile::Loaded::State::Missing:
        return true;
    case profilefile::Loaded::State::Complete:
        if (!current.lists->overfull()) return true;
        problem = "it holds more profiles than a list keeps (500)";
        break;
    case profilefile::Loaded::State::Unreadable:
        *reason = "the file there cannot be read (" + current.reason + ") and is left as it is";
        return false;
    case profilefile::Loaded::State::Damaged:
        break;
    }
    const std::string damaged = path + kDamagedSuffix;
    std::string why;
    if (!cf::File::replace(damaged, *current.bytes, kProfileFileMode, &why)) {
        *reason = "it cannot be read (" + problem + ") and cannot be kept as " + damaged + " (" + why + ")";
        return false;
    }
    PDEWarn("the profile list %s cannot be read whole (%s); it is kept as %s", path.c_str(), problem.c_str(),
        damaged.c_str());
    return true;
}

// Whether the file's lists hold these items (what lies past a list's capacity aside).
bool sameItems(const StoredLists& file, const StoredLists& lists)
{
    for (size_t i = 0; i < lists.lists.size(); ++i) {
        StoredList read = file.lists[i];
        read.overfull = false;
        if (!(read == lists.lists[i])) return false;
    }
    return true;
}

// Writes whole, under the lock: a reader sees the old file or the new one, and a failed write leaves
// the old one. False and the reason then.
bool writeLists(const std::string& path, const ProfileList& rgb, const ProfileList& sim, const ProfileList& dst,
    std::string* reason)
{
    // Refused before anything is set aside: a link to standard input must not lose its file either.
    if (!cf::File::writeTarget(path, reason)) return false;
    ProfileListLock lock;
    if (!lock.held()) {
        *reason = lock.reason();
        return false;
    }
    auto lists = std::make_shared<StoredLists>(storedListsOf(rgb, sim, dst));
    std::shared_ptr<const profilefile::Loaded> current = profilefile::load(path);
    // The file already reads as these lists: it stays as it is, in whatever layout it has, and
    // most merges end here without formatting half a megabyte.
    if (current->state == profilefile::Loaded::State::Complete && sameItems(*current->lists, *lists)) return true;
    auto written = std::make_shared<profilefile::Loaded>();
    written->bytes = writeListsXml(rgb, sim, dst);
    if (!keepDamagedFile(path, *current, reason) || !cf::File::replace(path, *written->bytes, kProfileFileMode, reason))
        return false;
    written->state = profilefile::Loaded::State::Complete;
    written->lists = std::move(lists);
    profilefile::ProfileListCache::shared().remember(path, std::move(written));
    return true;
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
bool checkWriteAccess(std::string* reason)
{
    auto path = TLPListMakePath(kProfileListFile);
    if (!path) {
        *reason = kNoHome;
        return false;
    }
    createPreferencesFolders();
    struct stat status;
    const bool exists = ::stat(path->c_str(), &status) == 0;
    if (exists && !S_ISREG(status.st_mode)) {
        *reason = "it is not a regular file";
        return false;
    }
    const std::string checked = exists ? *path : cf::File::folderOf(*path);
    if (::faccessat(AT_FDCWD, checked.c_str(), exists ? W_OK : W_OK | X_OK, AT_EACCESS) == 0) return true;
    *reason = checked + " is not writable (" + std::strerror(errno) + ")";
    return false;
}

std::string failureText(const char* prefix, const std::string& reason)
{
    auto path = TLPListMakePath(kProfileListFile);
    if (path && reason != kNoHome) return std::string(prefix) + " " + *path + ": " + reason;
    return std::string(prefix) + ": " + reason;
}

std::string profileListSaveFailure(const std::string& reason)
{
    return failureText(kSaveFailure, reason);
}

void warnFailure(const char* prefix, const std::string& reason)
{
    PDEWarn("%s", failureText(prefix, reason).c_str());
}

bool saveProfileLists(const ProfileList& rgb, const ProfileList& sim, const ProfileList& dst, std::string* reason)
{
    std::string why;
    auto path = TLPListMakePath(kProfileListFile);
    const bool saved = checkWriteAccess(&why) && writeLists(*path, rgb, sim, dst, &why);
    if (!saved) warnFailure(kSaveFailure, why);
    if (!saved && reason) *reason = why;
    return saved;
}

bool savePrinterLists(const std::array<const ProfileList*, 3>& edited, const std::array<const ProfileList*, 3>& deleted,
    std::string* reason)
{
    std::string why;
    if (!checkWriteAccess(&why)) {
        warnFailure(kSaveFailure, why);
        if (reason) *reason = why;
        return false;
    }
    // The file's printer profiles are read and the merge written under one lock.
    ProfileListLock lock;
    if (!lock.held()) {
        warnFailure(kSaveFailure, lock.reason());
        if (reason) *reason = lock.reason();
        return false;
    }
    auto merged = std::make_unique<std::array<ProfileList, 3>>();
    TLPListMappingProfile_All_Pap(edited[kListRGB], edited[kListSIM], edited[kListDST], &(*merged)[kListRGB],
        &(*merged)[kListSIM], &(*merged)[kListDST], deleted[kListRGB], deleted[kListSIM], deleted[kListDST]);
    return saveProfileLists((*merged)[kListRGB], (*merged)[kListSIM], (*merged)[kListDST], reason);
}

} // namespace tlco
