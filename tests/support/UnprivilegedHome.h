// SPDX-License-Identifier: Apache-2.0
// A home folder owned by an ordinary user (nobody), for tests of failed saves: the tests run as root,
// whom file modes do not stop, so printdialog runs there under that user's ids.
#pragma once

#include "support/Process.h"

#include <string>
#include <sys/types.h>
#include <vector>

namespace testproc {

class UnprivilegedHome {
public:
    static constexpr uid_t kUser = 65534;

    // A fresh home with Library/Preferences, and a password entry naming it.
    UnprivilegedHome();
    ~UnprivilegedHome();
    UnprivilegedHome(const UnprivilegedHome&) = delete;
    UnprivilegedHome& operator=(const UnprivilegedHome&) = delete;

    std::string home() const { return root_ + "/home"; }
    std::string preferences() const { return home() + "/Library/Preferences"; }
    std::string profileList() const;

    // printdialog --json --script - with args, as that user in this home.
    std::vector<std::string> command(const std::vector<std::string>& args = {}) const;
    std::vector<std::string> environment() const;
    Result printdialog(const std::string& script, const std::vector<std::string>& args = {}) const;

    // Hands what lies under path to the user.
    void giveAway(const std::string& path) const;

private:
    std::string root_;
};

} // namespace testproc
