// SPDX-License-Identifier: Apache-2.0
// Bounded reads and whole-file replacement with POSIX calls.
#include "cf/File.h"

#include "cf/FileDescriptor.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace cf {
namespace {

// A temporary file older than this belongs to no write still running.
constexpr time_t kStaleTempAge = 60;
constexpr std::string_view kTempSuffix = ".XXXXXX";
// As many links as the kernel follows in one path.
constexpr int kMaxLinkHops = 40;

bool fail(std::string* error, std::string reason)
{
    if (error) *error = std::move(reason);
    return false;
}

bool failWithErrno(std::string* error)
{
    return fail(error, std::strerror(errno));
}

bool writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = ENOSPC;
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

std::string_view withoutTrailingSlashes(std::string_view path)
{
    while (path.size() > 1 && path.back() == '/') path.remove_suffix(1);
    return path;
}

bool isOurTempName(std::string_view entry, std::string_view name)
{
    if (entry.size() != name.size() + kTempSuffix.size() || !entry.starts_with(name) || entry[name.size()] != '.')
        return false;
    for (char c : entry.substr(name.size() + 1))
        if (!std::isalnum(static_cast<unsigned char>(c))) return false;
    return true;
}

void removeStaleTemps(const std::string& path)
{
    const std::string folder = File::folderOf(path);
    const std::string name = File::nameOf(path);
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), &::closedir);
    if (!dir) return;
    const time_t now = std::time(nullptr);
    while (const dirent* entry = ::readdir(dir.get())) {
        if (!isOurTempName(entry->d_name, name)) continue;
        const std::string temp = folder + "/" + entry->d_name;
        struct stat info { };
        if (::lstat(temp.c_str(), &info) == 0 && S_ISREG(info.st_mode) && now - info.st_mtime > kStaleTempAge)
            ::unlink(temp.c_str());
    }
}

void syncFolder(const std::string& path)
{
    FileDescriptor dir(::open(File::folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0) ::fsync(dir.get());
}

// The folder of path with every link in it resolved; path's own folder as given when it is missing.
std::string canonicalFolder(const std::string& path)
{
    const std::string folder = File::folderOf(path);
    std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(folder.c_str(), nullptr), &std::free);
    return resolved ? std::string(resolved.get()) : folder;
}

bool isSystemTree(const std::string& folder)
{
    for (std::string_view tree : {"/dev", "/proc"})
        if (folder == tree || (folder.starts_with(tree) && folder[tree.size()] == '/')) return true;
    return false;
}

// Where the link at path points, made absolute against the link's own folder.
std::optional<std::string> linkTarget(const std::string& path)
{
    char target[PATH_MAX];
    const ssize_t n = ::readlink(path.c_str(), target, sizeof target - 1);
    if (n < 0) return std::nullopt;
    std::string next(target, static_cast<size_t>(n));
    if (next.empty() || next.front() != '/') next = File::folderOf(path) + "/" + next;
    return next;
}

bool pwriteAll(int fd, std::string_view bytes)
{
    for (off_t at = 0; !bytes.empty();) {
        ssize_t n = ::pwrite(fd, bytes.data(), bytes.size(), at);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = ENOSPC;
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(n));
        at += n;
    }
    return true;
}

bool writeAt(int fd, std::string_view bytes)
{
    return pwriteAll(fd, bytes) && ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 && ::fsync(fd) == 0;
}

// Room for the new bytes, or the file as it was (a failed reservation may have grown it).
int reserve(int fd, size_t newSize, size_t oldSize)
{
    if (newSize <= oldSize) return 0;
    const int failure = ::posix_fallocate(fd, 0, static_cast<off_t>(newSize));
    if (failure != 0) ::ftruncate(fd, static_cast<off_t>(oldSize));
    return failure;
}

// For a folder that lets us write the file but not create one beside it. Without a second file a
// reader may see a mixture while it runs, but nothing is lost: the space is reserved before the
// first byte changes, and a write that fails after it puts the old bytes back.
bool rewriteInPlace(const std::string& path, std::string_view bytes, std::string* error)
{
    std::string reason;
    const auto old = File::read(path, &reason);
    if (!old) return fail(error, reason);
    FileDescriptor fd(::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOFOLLOW));
    if (fd.get() < 0) return failWithErrno(error);
    if (const int failure = reserve(fd.get(), bytes.size(), old->size()))
        return fail(error, std::string(std::strerror(failure)) + "; the file is as it was");
    if (writeAt(fd.get(), bytes) && fd.close()) return true;
    reason = std::strerror(errno);
    if (fd.get() >= 0 && writeAt(fd.get(), *old)) return fail(error, reason + "; the old contents were put back");
    return fail(error, reason + "; the old contents could not be put back");
}

// 0, or the errno of the step that failed; nothing stays behind on failure.
int writeThroughTemp(const std::string& path, std::string_view bytes, mode_t mode)
{
    std::string temp = path + std::string(kTempSuffix);
    FileDescriptor fd(::mkstemp(temp.data()));
    if (fd.get() < 0) return errno;
    bool ok = ::fchmod(fd.get(), mode) == 0 && writeAll(fd.get(), bytes) && ::fsync(fd.get()) == 0;
    ok = fd.close() && ok;
    ok = ok && ::rename(temp.c_str(), path.c_str()) == 0;
    if (!ok) {
        const int failure = errno;
        ::unlink(temp.c_str());
        return failure;
    }
    syncFolder(path);
    return 0;
}

} // namespace

std::optional<std::string> File::read(const std::string& path, std::string* error, struct stat* status)
{
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat own { };
    struct stat& info = status ? *status : own;
    if (fd.get() < 0 || ::fstat(fd.get(), &info) != 0) {
        failWithErrno(error);
        return std::nullopt;
    }
    if (!S_ISREG(info.st_mode)) {
        fail(error, "not a regular file");
        return std::nullopt;
    }
    if (static_cast<unsigned long long>(info.st_size) > kMaxSize) {
        fail(error, "larger than 16 MB");
        return std::nullopt;
    }
    std::string bytes;
    bytes.reserve(static_cast<size_t>(info.st_size));
    char buffer[65536];
    for (;;) {
        ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            failWithErrno(error);
            return std::nullopt;
        }
        if (n == 0) return bytes;
        if (bytes.size() + static_cast<size_t>(n) > kMaxSize) {
            fail(error, "larger than 16 MB");
            return std::nullopt;
        }
        bytes.append(buffer, static_cast<size_t>(n));
    }
}

mode_t File::maskedMode(mode_t newMode)
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return newMode & ~mask;
}

std::optional<std::string> File::writeTarget(const std::string& path, std::string* error)
{
    std::string current = path;
    for (int hop = 0; hop <= kMaxLinkHops; ++hop) {
        struct stat info { };
        if (::lstat(current.c_str(), &info) != 0) {
            if (hop == 0) return path;
            fail(error, "a link to a missing file (" + current + ")");
            return std::nullopt;
        }
        if (!S_ISLNK(info.st_mode)) return hop == 0 ? path : canonicalFolder(current) + "/" + nameOf(current);
        auto next = linkTarget(current);
        if (!next) {
            failWithErrno(error);
            return std::nullopt;
        }
        // A link may lead to standard input (/dev/stdin), a terminal or a process's files: none is a
        // place to keep settings, and a write there would overwrite whatever file stands behind it.
        if (isSystemTree(canonicalFolder(*next))) {
            fail(error,
                "a link to " + *next +
                    ", which is no file of its own; only links to regular files outside "
                    "/dev and /proc are written through");
            return std::nullopt;
        }
        current = *next;
    }
    fail(error, "a chain of more than 40 links");
    return std::nullopt;
}

bool File::replace(const std::string& path, std::string_view bytes, mode_t newMode, std::string* error)
{
    auto target = writeTarget(path, error);
    if (!target) return false;
    struct stat info { };
    const bool exists = ::stat(target->c_str(), &info) == 0;
    if (exists && !S_ISREG(info.st_mode)) return fail(error, "not a regular file");
    // The same bytes again: no write, no flush, and readers keep the file they know.
    if (exists && static_cast<unsigned long long>(info.st_size) == bytes.size()) {
        auto current = read(*target);
        if (current && *current == bytes) return true;
    }
    const mode_t mode = exists ? (info.st_mode & 07777) : newMode;
    removeStaleTemps(*target);
    const int failure = writeThroughTemp(*target, bytes, mode);
    if (failure == 0) return true;
    const bool folderRefused = failure == EACCES || failure == EPERM;
    if (exists && folderRefused && ::faccessat(AT_FDCWD, target->c_str(), W_OK, AT_EACCESS) == 0)
        return rewriteInPlace(*target, bytes, error);
    return fail(error, std::strerror(failure));
}

std::string File::folderOf(std::string_view path)
{
    path = withoutTrailingSlashes(path);
    const size_t slash = path.rfind('/');
    if (slash == std::string_view::npos) return ".";
    const std::string_view folder = withoutTrailingSlashes(path.substr(0, slash));
    return folder.empty() ? "/" : std::string(folder);
}

std::string File::nameOf(std::string_view path)
{
    path = withoutTrailingSlashes(path);
    const size_t slash = path.rfind('/');
    if (slash == std::string_view::npos || path.size() == 1) return std::string(path);
    return std::string(path.substr(slash + 1));
}

} // namespace cf
