// SPDX-License-Identifier: Apache-2.0
// The last profile list file parsed, kept while the file stays the same: the dialog reads the lists
// many times in one call and again in the next, and a parse costs far more than a stat.
#pragma once

#include "profiles/store/ProfileListFile.h"

#include <ctime>
#include <memory>
#include <mutex>
#include <string>
#include <sys/stat.h>

namespace tlco::profilefile {

class ProfileListCache {
public:
    static ProfileListCache& shared();

    // What lies at path, reused only while the file's device, inode, size, modification and change
    // times are those of the last parse.
    std::shared_ptr<const Loaded> load(const std::string& path);
    // Takes what was just written to path as its parse; it is still checked against the file.
    void remember(const std::string& path, std::shared_ptr<const Loaded> written);
    // Parses of files so far (for measurements and tests).
    int parses() const { return parses_; }

private:
    struct Identity {
        dev_t device = 0;
        ino_t inode = 0;
        off_t size = 0;
        timespec modified{};
        timespec changed{};
        bool operator==(const Identity& other) const;
    };
    static Identity identityOf(const struct stat& info);
    bool reusable(const std::string& path, const struct stat& info);
    std::shared_ptr<const Loaded> readAfresh(const std::string& path);

    std::mutex mutex_;
    std::string path_;
    Identity identity_;
    timespec readAt_{};
    std::shared_ptr<const Loaded> loaded_;
    int parses_ = 0;
};

} // namespace tlco::profilefile
