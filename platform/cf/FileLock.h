// SPDX-License-Identifier: Apache-2.0
// An advisory lock on a file that several dialogs, and other programs, may write: a lock file beside
// it ("<file>.lock") held with flock(2), so that a lock ends with the process that held it.
#pragma once

#include "Export.h"

#include <chrono>
#include <optional>
#include <string>

namespace cf {

class TL_EXPORT FileLock {
public:
    // How long acquire waits by default; a save normally holds the lock for milliseconds.
    static constexpr std::chrono::milliseconds kDefaultWait{5000};

    // Takes the lock of the file at path, waiting at most `wait` for another holder to let go. A lock
    // file left by a process that ended does not hold anyone up. When the folder lets no lock file be
    // made (nor any other file, so no other save can happen there either), or is missing, the lock is
    // had without one. Nothing, and the reason, when another holder keeps it longer than `wait` or the lock file
    // cannot be opened for another reason.
    static std::optional<FileLock> acquire(
        const std::string& path, std::chrono::milliseconds wait = kDefaultWait, std::string* error = nullptr);

    FileLock(FileLock&& other) noexcept;
    FileLock& operator=(FileLock&&) = delete;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    // Removes the lock file and lets go.
    ~FileLock();

private:
    FileLock(std::string lockPath, int fd) : lockPath_(std::move(lockPath)), fd_(fd) { }

    std::string lockPath_;
    int fd_ = -1; // -1: had without a lock file
};

} // namespace cf
