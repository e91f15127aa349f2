// SPDX-License-Identifier: Apache-2.0
// The profile list file's lock, held around each read-change-write of the file so that dialogs
// saving at once do not drop each other's changes. Nested locks of one process share the outer one.
#pragma once

#include "cf/FileLock.h"

#include <memory>
#include <string>

namespace tlco {

class ProfileListLock {
public:
    // Takes the lock (waiting a few seconds at most for another dialog) unless this process holds it.
    ProfileListLock();
    ~ProfileListLock();
    ProfileListLock(const ProfileListLock&) = delete;
    ProfileListLock& operator=(const ProfileListLock&) = delete;

    bool held() const { return held_; }
    // Why the lock could not be had.
    const std::string& reason() const { return reason_; }

private:
    std::unique_ptr<cf::FileLock> lock_;
    bool held_ = false;
    std::string reason_;
};

} // namespace tlco
