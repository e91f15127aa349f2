// SPDX-License-Identifier: Apache-2.0
// An ordinary user's home for printdialog runs, through nss_wrapper and setpriv.
#include "support/UnprivilegedHome.h"

#include "profiles/store/TLPList.h"
#include "support/TestPaths.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace testproc {
namespace {

void writeText(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::trunc) << text;
}

} // namespace

UnprivilegedHome::UnprivilegedHome()
{
    std::string pattern = "/tmp/unprivileged.XXXXXX";
    root_ = ::mkdtemp(pattern.data());
    fs::permissions(root_,
        fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec | fs::perms::others_read |
            fs::perms::others_exec);
    fs::create_directories(preferences());
    writeText(root_ + "/passwd", "nobody:x:65534:65534:nobody:" + home() + ":/bin/false\n");
    writeText(root_ + "/group", "nogroup:x:65534:\n");
    giveAway(home());
}

UnprivilegedHome::~UnprivilegedHome()
{
    std::error_code ignored;
    fs::remove_all(root_, ignored);
}

std::string UnprivilegedHome::profileList() const
{
    return home() + "/" + tlco::kProfileListFile;
}

void UnprivilegedHome::giveAway(const std::string& path) const
{
    EXPECT_EQ(0, ::lchown(path.c_str(), kUser, kUser));
    if (!fs::is_directory(fs::symlink_status(path))) return;
    for (const auto& entry : fs::recursive_directory_iterator(path))
        EXPECT_EQ(0, ::lchown(entry.path().c_str(), kUser, kUser));
}

std::vector<std::string> UnprivilegedHome::command(const std::vector<std::string>& args) const
{
    std::vector<std::string> argv = {"/usr/bin/setpriv", "--reuid=65534", "--regid=65534", "--clear-groups",
        testpaths::printdialog(), "--json", "--script", "-"};
    argv.insert(argv.end(), args.begin(), args.end());
    return argv;
}

std::vector<std::string> UnprivilegedHome::environment() const
{
    return {"LC_ALL=C", "NSS_WRAPPER_PASSWD=" + root_ + "/passwd", "NSS_WRAPPER_GROUP=" + root_ + "/group",
        "HOME=" + home()};
}

Result UnprivilegedHome::printdialog(const std::string& script, const std::vector<std::string>& args) const
{
    return run(command(args), script, environment());
}

} // namespace testproc
