// SPDX-License-Identifier: Apache-2.0
// The lock beside the profile list file, counted per process.
#include "profiles/store/ProfileListLock.h"

#include "profiles/store/TLPListStore.h"

namespace tlco {
namespace {

// Everything runs on the dialog's one thread, so a plain count serves.
int depth = 0;

} // namespace

ProfileListLock::ProfileListLock()
{
    if (depth > 0) {
        held_ = true;
        ++depth;
        return;
    }
    auto path = TLPListMakePath(kProfileListFile);
    if (!path) {
        reason_ = "the user has no home folder for it";
        return;
    }
    auto lock = cf::FileLock::acquire(*path, cf::FileLock::kDefaultWait, &reason_);
    if (!lock) return;
    lock_ = std::make_unique<cf::FileLock>(std::move(*lock));
    held_ = true;
    depth = 1;
}

ProfileListLock::~ProfileListLock()
{
    if (held_) --depth;
}

} // namespace tlco
