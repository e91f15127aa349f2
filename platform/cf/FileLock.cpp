// SPDX-License-Identifier: Apache-2.0
// flock on a lock file that its holder removes when it lets go: a waiter that locked a file already
// removed sees that its file is no longer the one at the path, and opens it again.
#include "cf/FileLock.h"

#include "cf/File.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace cf {
namespace {

using Clock = std::chrono::steady_clock;

constexpr std::chrono::microseconds kFirstPause{200};
constexpr std::chrono::microseconds kLongestPause{5000};

bool fail(std::string* error, std::string reason)
{
    if (error) *error = std::move(reason);
    return false;
}

// Whether fd is still the file at path: its holder may have removed it while we waited.
bool isCurrent(int fd, const std::string& path)
{
    struct stat held {
    }, atPath{};
    return ::fstat(fd, &held) == 0 && ::stat(path.c_str(), &atPath) == 0 && held.st_dev == atPath.st_dev &&
        held.st_ino == atPath.st_ino;
}

// A folder that takes no new file, or is not there: no save can happen there either.
bool noLockFilePossible(int failure)
{
    return failure == EACCES || failure == EPERM || failure == EROFS || failure == ENOENT || failure == ENOTDIR;
}

} // namespace

std::optional<FileLock> FileLock::acquire(const std::string& path, std::chrono::milliseconds wait, std::string* error)
{
    const std::string lockPath = path + ".lock";
    const Clock::time_point deadline = Clock::now() + wait;
    std::chrono::microseconds pause = kFirstPause;
    int fd = -1;
    for (;;) {
        if (fd < 0) fd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, File::maskedMode(0666));
        if (fd < 0 && noLockFilePossible(errno)) return FileLock(lockPath, -1);
        if (fd < 0) {
            fail(error, "cannot open the lock file " + lockPath + ": " + std::strerror(errno));
            return std::nullopt;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            if (isCurrent(fd, lockPath)) return FileLock(lockPath, fd);
            ::close(fd);
            fd = -1;
            continue;
        }
        if (errno != EWOULDBLOCK && errno != EINTR) {
            fail(error, "cannot lock " + lockPath + ": " + std::strerror(errno));
            ::close(fd);
            return std::nullopt;
        }
        if (Clock::now() >= deadline) {
            fail(error,
                "another program has held the lock " + lockPath + " for more than " +
                    std::to_string(wait.count() / 1000) + " s");
            ::close(fd);
            return std::nullopt;
        }
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, kLongestPause);
    }
}

FileLock::FileLock(FileLock&& other) noexcept : lockPath_(std::move(other.lockPath_)), fd_(other.fd_)
{
    other.fd_ = -1;
    other.lockPath_.clear();
}

FileLock::~FileLock()
{
    if (fd_ < 0) return;
    // Removed while still held, so that no one can lock the file after it goes.
    ::unlink(lockPath_.c_str());
    ::close(fd_);
}

} // namespace cf
