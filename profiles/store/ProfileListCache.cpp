// SPDX-License-Identifier: Apache-2.0
// Reuse of the parsed profile list file, checked by stat.
#include "profiles/store/ProfileListCache.h"

#include "cf/File.h"

#include <algorithm>
#include <cerrno>

namespace tlco::profilefile {
namespace {

// File times come from a clock that advances in ticks of up to 10 ms: a file written within a tick
// of its read may change again without a new time, so such a file's bytes are compared as well.
constexpr long long kTimeTickNs = 50'000'000;

long long nanoseconds(const timespec& time)
{
    return time.tv_sec * 1'000'000'000LL + time.tv_nsec;
}

bool sameTime(const timespec& a, const timespec& b)
{
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

} // namespace

ProfileListCache& ProfileListCache::shared()
{
    static ProfileListCache cache;
    return cache;
}

bool ProfileListCache::Identity::operator==(const Identity& other) const
{
    return device == other.device && inode == other.inode && size == other.size && sameTime(modified, other.modified) &&
        sameTime(changed, other.changed);
}

ProfileListCache::Identity ProfileListCache::identityOf(const struct stat& info)
{
    return {info.st_dev, info.st_ino, info.st_size, info.st_mtim, info.st_ctim};
}

bool ProfileListCache::reusable(const std::string& path, const struct stat& info)
{
    if (!loaded_ || path != path_ || !(identityOf(info) == identity_)) return false;
    const long long newest = std::max(nanoseconds(identity_.modified), nanoseconds(identity_.changed));
    if (newest + kTimeTickNs < nanoseconds(readAt_)) return true;
    struct stat again { };
    auto bytes = cf::File::read(path, nullptr, &again);
    return bytes && identityOf(again) == identity_ && *bytes == *loaded_->bytes;
}

std::shared_ptr<const Loaded> ProfileListCache::readAfresh(const std::string& path)
{
    timespec readAt{};
    ::clock_gettime(CLOCK_REALTIME, &readAt);
    struct stat info { };
    std::string reason;
    auto bytes = cf::File::read(path, &reason, &info);
    if (!bytes) {
        auto unreadable = std::make_shared<Loaded>();
        unreadable->state = Loaded::State::Unreadable;
        unreadable->reason = std::move(reason);
        return unreadable;
    }
    ++parses_;
    auto loaded = parse(std::move(*bytes));
    path_ = path;
    identity_ = identityOf(info);
    readAt_ = readAt;
    loaded_ = loaded;
    return loaded;
}

void ProfileListCache::remember(const std::string& path, std::shared_ptr<const Loaded> written)
{
    std::lock_guard lock(mutex_);
    struct stat info { };
    if (::stat(path.c_str(), &info) != 0) return;
    path_ = path;
    identity_ = identityOf(info);
    // Read at once after the write: another write in between would keep the time, so the bytes
    // are compared on every use.
    ::clock_gettime(CLOCK_REALTIME, &readAt_);
    loaded_ = std::move(written);
}

std::shared_ptr<const Loaded> ProfileListCache::load(const std::string& path)
{
    std::lock_guard lock(mutex_);
    struct stat info { };
    // Nothing there, or a link to nothing: no bytes to lose.
    if (::stat(path.c_str(), &info) != 0 && errno == ENOENT) return std::make_shared<Loaded>();
    if (reusable(path, info)) return loaded_;
    return readAfresh(path);
}

} // namespace tlco::profilefile
