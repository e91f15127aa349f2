// SPDX-License-Identifier: Apache-2.0
// Keeping profile lists and the profile list file in order: the clean, packing and salvage passes,
// the backup file, and deleting either file.
#include "profiles/store/TLPListMaintenance.h"

#include "base/PDELog.h"
#include "base/Status.h"
#include "cf/File.h"
#include "profiles/store/ProfileListFile.h"
#include "profiles/store/TLPListStore.h"

#include <fcntl.h>
#include <unistd.h>

namespace tlco {
namespace {

constexpr mode_t kBackupMode = 0664;
// The index a shown printer profile gets when it turns up without one.
constexpr int32_t kRepairedIndex = 501;

bool hasFileName(const ProfileItem& item)
{
    return item.FileName[0] != '\0';
}

const char* relativePathOf(int selector)
{
    switch (selector) {
    case kFileBackup:
        return kProfileBackupFile;
    case kFileProfileList:
        return kProfileListFile;
    default:
        return nullptr;
    }
}

void removeFile(int selector)
{
    if (auto path = TLPListMakePath(relativePathOf(selector))) ::unlink(path->c_str());
}

// A backup is made whole or not at all, so a later restore never installs a torn copy; and only of
// a complete profile list: an empty or unreadable file must not replace a good backup.
void backUp()
{
    auto source = TLPListMakePath(kProfileListFile);
    auto backup = TLPListMakePath(kProfileBackupFile);
    if (!source || !backup) return;
    std::shared_ptr<const profilefile::Loaded> loaded = profilefile::load(*source);
    const profilefile::Loaded& current = *loaded;
    switch (current.state) {
    case profilefile::Loaded::State::Missing:
        if (!current.bytes) removeFile(kFileBackup);
        return;
    case profilefile::Loaded::State::Unreadable:
    case profilefile::Loaded::State::Damaged:
        PDEWarn("the profile list %s cannot be read (%s); the backup %s is kept as it was", source->c_str(),
            current.reason.c_str(), backup->c_str());
        return;
    case profilefile::Loaded::State::Complete:
        break;
    }
    std::string reason;
    if (!cf::File::replace(*backup, *current.bytes, kBackupMode, &reason))
        PDEWarn("cannot back up the profile list to %s: %s", backup->c_str(), reason.c_str());
}

// A restore without a backup leaves the profile list file as it is.
void restore()
{
    auto source = TLPListMakePath(kProfileListFile);
    auto backup = TLPListMakePath(kProfileBackupFile);
    if (!source || !backup) return;
    ::rename(backup->c_str(), source->c_str());
}

} // namespace

void TLPListCleanProfile_Dict(ProfileList* list)
{
    if (!list) return;
    for (ProfileItem& item : list->litem) {
        if (item.iIndexOnDevice != 0 || !hasFileName(item)) continue;
        if (item.iInMenu == kStatePrinterUnconfirmedShown || item.iInMenu == kStatePrinterPresentShown) {
            item.iIndexOnDevice = kRepairedIndex;
            item.iInMenu = kStatePrinterUnconfirmedShown;
        } else {
            item = ProfileItem{};
            --list->iNum;
        }
    }
}

void TLPListPaddingProfile_Dict(ProfileList* list)
{
    if (!list) return;
    // One forward sweep moves every used item to the next free front slot, keeping the order.
    int next = 0;
    for (int j = 0; j < kProfileListCapacity; ++j) {
        if (list->litem[j].iInMenu == kStateEmpty) continue;
        if (j != next) {
            list->litem[next] = list->litem[j];
            list->litem[j] = ProfileItem{};
        }
        ++next;
    }
}

void TLPListSalvage_Dict(ProfileList* list)
{
    if (!list) return;
    for (ProfileItem& item : list->litem)
        if (item.iIndexOnDevice != 0 && hasFileName(item) && item.iInMenu == kStatePrinterUnconfirmedShown)
            item.iInMenu = kStateUserShown;
}

void TLPListSwapProfile(int operation)
{
    if (!probeWriteAccess(operation == kSwapBackUp ? "cannot back up the profile list" : nullptr)) return;
    switch (operation) {
    case kSwapRestore:
        restore();
        break;
    case kSwapDiscard:
        removeFile(kFileBackup);
        break;
    case kSwapBackUp:
        backUp();
        break;
    default:
        break;
    }
}

int32_t TLPListRemove(int selector)
{
    if (!TLPListIsAdminProfile()) return 0;
    const char* relative = relativePathOf(selector);
    if (!relative) return 0;
    auto path = TLPListMakePath(relative);
    return path && ::unlink(path->c_str()) == 0 ? 1 : 0;
}

int32_t TLPListExistProfile()
{
    if (!TLPListIsAdminProfile()) return 0;
    auto path = TLPListMakePath(kProfileListFile);
    if (!path) return 0;
    int fd = ::open(path->c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return 0;
    ::close(fd);
    return 1;
}

} // namespace tlco
