// SPDX-License-Identifier: Apache-2.0
// Bounded reads and whole-file replacement with POSIX calls.
#include "cf/File.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace cf {
namespace {

// A temporary file older than this belongs to no write still running.
constexpr time_t kStaleTempAge = 60;
constexpr std::string_view kTempSuffix = ".XXXXXX";

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) { }
    ~FileDescriptor()
    {
        if (fd_ >= 0) ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }
    // Closes now, reporting what close reports (a write error may show only here).
    bool close()
    {
        int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

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

// For a folder that lets us write the file but not create one beside it.
bool rewriteInPlace(const std::string& path, std::string_view bytes, std::string* error)
{
    FileDescriptor fd(::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOFOLLOW));
    if (fd.get() < 0) return failWithErrno(error);
    if (::ftruncate(fd.get(), 0) != 0 || !writeAll(fd.get(), bytes) || ::fsync(fd.get()) != 0)
        return failWithErrno(error);
    if (!fd.close()) return failWithErrno(error);
    return true;
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
    struct stat link { };
    if (::lstat(path.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) return path;
    std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr), &std::free);
    if (!resolved) {
        fail(error, std::string("a link to a missing file (") + std::strerror(errno) + ")");
        return std::nullopt;
    }
    return std::string(resolved.get());
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
