// SPDX-License-Identifier: Apache-2.0
// Saves that cannot be made: a full disk, a write or flush that fails half-way, a link to standard
// input. The file stays as it was, the person learns why, and the profile window stays open.
#include "HostRun.h"
#include "support/SmallDisk.h"
#include "support/UnprivilegedHome.h"

#include "cf/Dictionary.h"
#include "cf/File.h"
#include "cf/PropertyList.h"
#include "cf/String.h"
#include "profiles/store/TLPList.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>

namespace fs = std::filesystem;
using testproc::SmallDisk;
using testproc::UnprivilegedHome;

namespace {

constexpr const char* kAddProfile = "panelView\nrestore\nclick button_ManageProfile\nclick _addButton\n"
                                    "type _fileNameEdit NEW.ICC\nclick _localOK\nclick button_ProfileWindowOK\ndump\n"
                                    "click button_ProfileWindowCancel\ndump\n";

void writeBytes(const std::string& path, const std::string& bytes)
{
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::string readBytes(const std::string& path)
{
    return cf::File::read(path).value_or("<unreadable>");
}

// A list as another program may write it: five profiles, only the keys they use (2.7 KB).
std::string smallList()
{
    auto entries = [](const char* field, auto value) {
        std::string text = std::string("<key>") + field + "</key><dict>";
        for (int i = 0; i < 5; ++i) {
            char key[32];
            std::snprintf(key, sizeof key, "%s%04d", field, i);
            text += std::string("<key>") + key + "</key>" + value(i);
        }
        return text + "</dict>";
    };
    auto number = [](int n) { return [n](int) { return "<integer>" + std::to_string(n) + "</integer>"; }; };
    const std::string rgb = "<dict>" +
        entries("IndexOnDevice", [](int i) { return "<integer>" + std::to_string(501 + i) + "</integer>"; }) +
        entries("InMenu", number(6)) + entries("ProfileClass", number(2)) +
        entries("FileName", [](int i) { return "<string>P" + std::to_string(i) + ".ICC</string>"; }) +
        entries("ProfileName", [](int i) { return "<string>Profile " + std::to_string(i) + "</string>"; }) +
        entries("Location", number(4)) + "<key>iNum</key><integer>5</integer></dict>";
    const std::string empty = "<dict><key>IndexOnDevice</key><dict/><key>InMenu</key><dict/><key>ProfileClass</key>"
                              "<dict/><key>FileName</key><dict/><key>ProfileName</key><dict/><key>Location</key>"
                              "<dict/><key>iNum</key><integer>0</integer></dict>";
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict><key>RGB</key>" + rgb +
        "<key>SIM</key>" + empty + "<key>DST</key>" + empty + "</dict></plist>\n";
}

std::vector<nlohmann::json> answersOf(const testproc::Result& result)
{
    std::vector<nlohmann::json> answers;
    for (const auto& line : testproc::jsonLines(result.out)) answers.push_back(nlohmann::json::parse(line));
    return answers;
}

// The profile window after a failed OK: still open, the reason in it and in a warning line; Cancel
// then closes it.
void expectWindowKeptOpen(const testproc::Result& result, const std::string& reason)
{
    EXPECT_NE(std::string::npos, result.err.find("cannot save the profile list")) << result.err;
    EXPECT_NE(std::string::npos, result.err.find(reason)) << result.err;
    std::vector<nlohmann::json> states, warnings;
    for (const auto& answer : answersOf(result)) {
        if (answer.contains("state")) states.push_back(answer["state"]);
        if (answer.contains("warning")) warnings.push_back(answer["warning"]);
    }
    ASSERT_EQ(1u, warnings.size()) << result.out;
    EXPECT_NE(std::string::npos, warnings[0].get<std::string>().find(reason));
    ASSERT_EQ(2u, states.size()) << result.out;
    EXPECT_TRUE(states[0]["window"]["open"]);
    EXPECT_NE(std::string::npos, states[0]["controls"]["_saveErrorText"]["text"].get<std::string>().find(reason));
    EXPECT_FALSE(states[1]["window"]["open"]);
}

TEST(FullDisk, NothingIsLostAndThePersonLearnsWhy)
{
    if (auto reason = SmallDisk::unavailableReason(); !reason.empty()) GTEST_SKIP() << reason;
    const std::string ticket380 = cf::PropertyList::createXMLData([] {
        auto root = cf::Dictionary::create();
        root->set("copies", cf::String::create("2"));
        root->set("job-name", cf::String::create(std::string(180, 'x')));
        return root;
    }())
                                      .value();
    struct Case {
        const char* name;
        bool ticket; // else the profile list
        mode_t folderMode;
    };
    const Case cases[] = {
        {"profile list, folder open", false, 0},
        {"profile list, folder closed", false, 0555},
        {"ticket, folder open", true, 0},
        {"ticket, folder closed", true, 0555},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        UnprivilegedHome home;
        const std::string folder = c.ticket ? home.home() + "/tickets" : home.preferences();
        const std::string file = c.ticket ? folder + "/settings.plist" : home.profileList();
        const std::string before = c.ticket ? ticket380 : smallList();
        writeBytes(file, before);
        home.giveAway(folder);
        SmallDisk disk{folder, 256, c.folderMode};
        auto args = c.ticket ? std::vector<std::string>{"--ticket", file} : std::vector<std::string>{};
        auto result =
            disk.run(home.command(args), c.ticket ? "panelView\nrestore\nsave\n" : kAddProfile, home.environment());
        EXPECT_EQ(before, readBytes(file));
        if (c.ticket) {
            EXPECT_EQ(1, result.status);
            EXPECT_NE(std::string::npos, result.err.find("cannot write ticket")) << result.err;
            EXPECT_NE(std::string::npos, result.err.find("No space left on device")) << result.err;
        } else {
            EXPECT_EQ(0, result.status) << result.err;
            expectWindowKeptOpen(result, "No space left on device");
        }
    }
}

// The folder refuses a temporary file, so the file is rewritten in place; a fault after the first
// byte puts the old bytes back.
TEST(FaultyDisk, AFailedRewriteInPlacePutsTheOldBytesBack)
{
    const struct {
        const char* name;
        const char* ops;
    } cases[] = {{"write fails after 1000 bytes", "write"}, {"flush fails", "fsync"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        UnprivilegedHome home;
        writeBytes(home.profileList(), smallList());
        home.giveAway(home.preferences());
        ASSERT_EQ(0, ::chmod(home.preferences().c_str(), 0555));
        auto environment = home.environment();
        const char* preload = std::getenv("LD_PRELOAD");
        environment.push_back(std::string("LD_PRELOAD=") + (preload ? preload : "") + " " + TEST_FAULTY_IO);
        environment.push_back(std::string("FAULTY_IO_OPS=") + c.ops);
        environment.push_back("FAULTY_IO_AFTER=1000");
        environment.push_back("FAULTY_IO_PATH=profile.plist");
        auto result = testproc::run(home.command(), kAddProfile, environment);
        EXPECT_EQ(0, result.status) << result.err;
        EXPECT_EQ(smallList(), readBytes(home.profileList()));
        expectWindowKeptOpen(result, "the old contents were put back");
    }
}

// `--script - < file` with the list linked to /dev/stdin would overwrite the script.
TEST(LinkedList, ALinkToStandardInputIsNotWrittenThrough)
{
    homesandbox::reset();
    const std::string list = homesandbox::home() + "/" + tlco::kProfileListFile;
    const std::string script = homesandbox::home() + "/add.txt";
    writeBytes(script, kAddProfile);
    fs::create_directories(fs::path(list).parent_path());
    fs::create_symlink("/dev/stdin", list);
    auto result =
        testproc::run({"/bin/sh", "-c", "exec \"$0\" --json --script - < \"$1\"", testpaths::printdialog(), script}, "",
            {"LC_ALL=C"});
    EXPECT_EQ(0, result.status) << result.err;
    EXPECT_EQ(kAddProfile, readBytes(script));
    EXPECT_TRUE(fs::is_symlink(list));
    EXPECT_FALSE(fs::exists(list + ".damaged"));
    expectWindowKeptOpen(result, "a link to /dev/stdin");
}

} // namespace
