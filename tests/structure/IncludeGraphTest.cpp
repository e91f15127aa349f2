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
    "base", "binding", "controls", "discovery", "panels", "plugin", "profiles", "platform", "host"};
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
    {"discovery", "base"},
    {"discovery", "profiles"},
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

// The folder a quoted include names; empty for a file of the includer's own folder.
std::string targetFolder(const std::string& included)
{
    size_t slash = included.find('/');
    if (slash == std::string::npos) return {};
    std::string first = included.substr(0, slash);
    return kPlatformRoots.count(first) ? "platform" : first;
}

bool allowed(const std::string& from, const std::string& to)
{
    return to.empty() || to == from || kAllowed.count({from, to}) > 0;
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
        {"profiles", "ProfileList.h", true},
        {"profiles", "binding/PDECommon.h", true},
        {"profiles", "panels/AdvancedColorOptions.h", false},
        {"discovery", "binding/PDECommon.h", false},
        {"binding", "plugin/Status.h", false},
        {"binding", "profiles/TLPList.h", false},
        {"controls", "ui/TextField.h", true},
        {"platform", "profiles/TLPList.h", false},
        {"host", "panels/ColorOptions.h", false},
        {"host", "pde/Protocol.h", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(allowed(c.from, targetFolder(c.included)), c.ok) << c.from << " -> " << c.included;
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
            ++files;
            for (const std::string& included : quotedIncludes(entry.path()))
                if (!allowed(folder, targetFolder(included)))
                    violations.push_back(
                        fs::relative(entry.path(), testpaths::sourceDir()).string() + " -> " + included);
        }
    }
    EXPECT_GT(files, 100u);
    std::string listing;
    for (const std::string& violation : violations) listing += "\n  " + violation;
    EXPECT_TRUE(violations.empty()) << "includes the folder graph does not allow:" << listing;
}

} // namespace
