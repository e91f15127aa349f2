// SPDX-License-Identifier: Apache-2.0
// The folders include each other one way only: every quoted include across folders must be a pair
// of the table below.
#include "support/TestPaths.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Folders below the repository root whose includes are checked; platform's subfolders count as one.
const std::vector<std::string> kFolders = {
    "base", "binding", "controls", "discovery", "panels", "plugin", "profiles", "profiles/store", "platform", "host"};
const std::set<std::string> kPlatformRoots = {"cf", "ui", "print", "services", "pde"};

// Which folder may include which other one. Nothing else across folders, and no exceptions.
const std::set<std::pair<std::string, std::string>> kAllowed = {
    {"base", "platform"},
    {"binding", "base"},
    {"binding", "platform"},
    {"controls", "base"},
    {"controls", "platform"},
    {"profiles", "base"},
    {"profiles", "binding"},
    {"profiles", "controls"},
    {"profiles", "platform"},
    {"profiles", "profiles/store"},
    {"profiles/store", "base"},
    {"profiles/store", "platform"},
    {"discovery", "base"},
    {"discovery", "profiles/store"},
    {"discovery", "platform"},
    {"panels", "base"},
    {"panels", "binding"},
    {"panels", "controls"},
    {"panels", "profiles"},
    {"panels", "platform"},
    {"plugin", "base"},
    {"plugin", "binding"},
    {"plugin", "controls"},
    {"plugin", "discovery"},
    {"plugin", "panels"},
    {"plugin", "profiles"},
    {"plugin", "platform"},
    {"host", "platform"},
};

// The profile list store is entered through one header; its readers and writers stay inside.
const std::string kStoreFolder = "profiles/store";
const std::string kStoreInterface = "profiles/store/TLPList.h";

// The folder a quoted include names; empty for a file of the includer's own folder.
std::string targetFolder(const std::string& included)
{
    if (included.rfind(kStoreFolder + "/", 0) == 0) return kStoreFolder;
    size_t slash = included.find('/');
    if (slash == std::string::npos) return {};
    std::string first = included.substr(0, slash);
    return kPlatformRoots.count(first) ? "platform" : first;
}

bool allowed(const std::string& from, const std::string& included)
{
    const std::string to = targetFolder(included);
    if (to.empty() || to == from) return true;
    if (to == kStoreFolder && included != kStoreInterface) return false;
    return kAllowed.count({from, to}) > 0;
}

// The folder of kFolders that a source file belongs to: the deepest one that holds it.
std::string owningFolder(const fs::path& relative)
{
    const std::string path = relative.generic_string();
    return path.rfind(kStoreFolder + "/", 0) == 0 ? kStoreFolder : path.substr(0, path.find('/'));
}

std::vector<std::string> quotedIncludes(const fs::path& file)
{
    std::vector<std::string> result;
    std::ifstream in(file);
    const std::string prefix = "#include \"";
    for (std::string line; std::getline(in, line);) {
        if (line.rfind(prefix, 0) != 0) continue;
        size_t end = line.find('"', prefix.size());
        if (end != std::string::npos) result.push_back(line.substr(prefix.size(), end - prefix.size()));
    }
    return result;
}

TEST(IncludeGraph, TheTableDecidesEachPair)
{
    struct Case {
        const char* from;
        const char* included;
        bool ok;
    };
    const Case cases[] = {
        {"profiles", "ProfileMenus.h", true},
        {"profiles", "profiles/store/TLPList.h", true},
        {"profiles", "profiles/store/FastListReader.h", false},
        {"profiles", "profiles/store/ProfileListFile.h", false},
        {"discovery", "profiles/store/TLPList.h", true},
        {"discovery", "profiles/ProfileControl.h", false},
        {"profiles/store", "profiles/ProfileMenus.h", false},
        {"profiles/store", "cf/File.h", true},
        {"profiles", "binding/PDECommon.h", true},
        {"profiles", "panels/AdvancedColorOptions.h", false},
        {"discovery", "binding/PDECommon.h", false},
        {"binding", "plugin/Status.h", false},
        {"binding", "profiles/store/TLPList.h", false},
        {"controls", "ui/TextField.h", true},
        {"platform", "profiles/store/TLPList.h", false},
        {"host", "panels/ColorOptions.h", false},
        {"host", "pde/Protocol.h", true},
    };
    for (const Case& c : cases) EXPECT_EQ(allowed(c.from, c.included), c.ok) << c.from << " -> " << c.included;
}

TEST(IncludeGraph, EveryIncludeAcrossFoldersIsAnAllowedPair)
{
    std::vector<std::string> violations;
    size_t files = 0;
    for (const std::string& folder : kFolders) {
        const fs::path root = fs::path(testpaths::sourceDir()) / folder;
        ASSERT_TRUE(fs::is_directory(root)) << root;
        for (const auto& entry : fs::recursive_directory_iterator(root)) {
            const std::string extension = entry.path().extension().string();
            if (!entry.is_regular_file() || (extension != ".h" && extension != ".cpp")) continue;
            const fs::path relative = fs::relative(entry.path(), testpaths::sourceDir());
            if (owningFolder(relative) != folder) continue;
            ++files;
            for (const std::string& included : quotedIncludes(entry.path()))
                if (!allowed(folder, included)) violations.push_back(relative.string() + " -> " + included);
        }
    }
    EXPECT_GT(files, 100u);
    std::string listing;
    for (const std::string& violation : violations) listing += "\n  " + violation;
    EXPECT_TRUE(violations.empty()) << "includes the folder graph does not allow:" << listing;
}

} // namespace
