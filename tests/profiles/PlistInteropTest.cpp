// SPDX-License-Identifier: Apache-2.0
// The profile list file against another implementation of the property-list format: python3's
// plistlib reads what the store writes, and the store reads what plistlib writes.
#include "ProfileFixtures.h"

#include "profiles/store/ProfileText.h"
#include "profiles/store/TLPList.h"
#include "support/TestPaths.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <sys/wait.h>

using namespace tlco;
using namespace profiletest;

namespace {

struct PeerRun {
    int status;
    std::string output;
};

// Runs the peer script, bounded in time; its stdout is captured, its stderr passes through.
PeerRun runPeer(const std::string& command, const std::string& path)
{
    std::string line = "timeout 60 python3 '" + testpaths::sourceDir() + "/tests/profiles/plist_peer.py' " + command +
        " '" + path + "'";
    PeerRun run{-1, {}};
    FILE* pipe = ::popen(line.c_str(), "r");
    if (!pipe) return run;
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) run.output.append(buffer, n);
    int status = ::pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

class PlistInterop : public ProfileFileTest { };

TEST_F(PlistInterop, PlistlibReadsWhatTheStoreWrites)
{
    auto rgb = list({item(12, 4, "PROFILE1.ICC", "Office", kLocationDisk, 1),
        item(501, 6, "USER.ICM", "\xE6\x97\xA5\xE6\x9C\xAC & <XML>", kLocationCard, 2),
        item(-3, 1, "OLD.ICC", "", 3, INT32_MIN), item(502, 6, "CR.ICC", "a\rb\r\nc", kLocationDisk, 2)});
    auto sim = list();
    auto dst = list({item(INT32_MAX, 2, "D.ICC", "\"quoted\" 'name'", kLocationDisk, 3)});
    ASSERT_EQ(0, TLPListWriteProfile_All(rgb.get(), sim.get(), dst.get()));

    PeerRun run = runPeer("read", profileListPath());
    ASSERT_EQ(0, run.status) << run.output;
    auto json = nlohmann::json::parse(run.output);
    auto expected = nlohmann::json::parse(R"({
        "RGB": {"iNum": 4, "items": [[12, 4, 1, "PROFILE1.ICC", "Office", 4],
                                     [501, 6, 2, "USER.ICM", "日本 & <XML>", 5],
                                     [-3, 1, -2147483648, "OLD.ICC", "", 3],
                                     [502, 6, 2, "CR.ICC", "a\rb\r\nc", 4]]},
        "SIM": {"iNum": 0, "items": []},
        "DST": {"iNum": 1, "items": [[2147483647, 2, 3, "D.ICC", "\"quoted\" 'name'", 4]]}
    })");
    EXPECT_EQ(expected, json);
}

// Names that the format cannot carry are written with U+FFFD: every key is there for other readers.
TEST_F(PlistInterop, NamesWithCharactersXmlLacksAreWrittenReplaced)
{
    auto rgb =
        list({item(1, 4, "A.ICC", "bell\x07"), item(2, 4, "B\x01.ICC", "b"), item(3, 4, "C.ICC", "\xEF\xBF\xBE")});
    auto empty = list();
    ASSERT_EQ(0, TLPListWriteProfile_All(rgb.get(), empty.get(), empty.get()));
    PeerRun run = runPeer("read", profileListPath());
    ASSERT_EQ(0, run.status) << run.output;
    EXPECT_EQ(nlohmann::json::parse(R"([[1, 4, 1, "A.ICC", "bell\ufffd", 4], [2, 4, 1, "B\ufffd.ICC", "b", 4],
                                         [3, 4, 1, "C.ICC", "\ufffd", 4]])"),
        nlohmann::json::parse(run.output)["RGB"]["items"]);
}

// A control character that a binary list or a character reference brought in is replaced when read,
// so the menus show what the next save writes, and that save keeps the profile's file name.
TEST_F(PlistInterop, ControlCharactersReadFromAFileSurviveTheNextSave)
{
    const struct {
        const char* name;
        std::function<void()> write;
    } cases[] = {
        {"binary list from plistlib",
            [] {
                std::filesystem::create_directories(preferencesFolder());
                ASSERT_EQ(0, runPeer("write-controls", profileListPath()).status);
            }},
        {"character reference",
            [] {
                auto rgb = list({item(1, 6, "BX.ICC", "esc")}), empty = list();
                ASSERT_EQ(0, TLPListWriteProfile_All(rgb.get(), empty.get(), empty.get()));
                std::string bytes = readBytes(profileListPath()).value();
                bytes.replace(bytes.find("BX.ICC"), 6, "B&#1;.ICC");
                bytes.replace(bytes.find(">esc<"), 5, ">esc&#x1B;<");
                writeBytes(profileListPath(), bytes);
            }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        c.write();
        auto rgb = list(), sim = list(), dst = list();
        ASSERT_EQ(0, TLPListReadProfile_All(rgb.get(), sim.get(), dst.get()));
        EXPECT_EQ("B\xEF\xBF\xBD.ICC", std::string(rgb->litem[0].FileName));
        rgb->litem[rgb->iNum++] = item(600, 6, "NEW.ICC", "new");
        ASSERT_EQ(0, TLPListWriteProfile_All(rgb.get(), sim.get(), dst.get()));
        PeerRun run = runPeer("read", profileListPath());
        ASSERT_EQ(0, run.status) << run.output;
        auto items = nlohmann::json::parse(run.output)["RGB"]["items"];
        ASSERT_EQ(2u, items.size());
        EXPECT_EQ("B\ufffd.ICC", items[0][3]);
        EXPECT_EQ("esc\ufffd", items[0][4]);
    }
}

TEST_F(PlistInterop, StoreReadsWhatPlistlibWrites)
{
    std::filesystem::create_directories(preferencesFolder());
    PeerRun run = runPeer("write", profileListPath());
    ASSERT_EQ(0, run.status) << run.output;

    auto rgb = filledWithSentinel(), sim = filledWithSentinel(), dst = filledWithSentinel();
    ASSERT_EQ(0, TLPListReadProfile_All(rgb.get(), sim.get(), dst.get()));
    // iDriver is not in the file: it keeps what the record held.
    for (auto& one : rgb->litem) one.iDriver = 0;
    const std::string japanese = "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\xE3\x81\xAE\xE5\x90\x8D\xE5\x89\x8D";
    EXPECT_TRUE(
        sameList(*list({item(12, 4, "PROFILE1.ICC", "Office", kLocationDisk, 1),
                     item(501, 6, "USER.ICM", japanese, kLocationCard, 2), item(-3, 1, "OLD.ICC", "", 3, INT32_MIN)}),
            *rgb));
    EXPECT_EQ(0, sim->iNum);
    ASSERT_EQ(1, dst->iNum);
    EXPECT_EQ("FORTYCHARACTERSLONGFILENAMEFORT", std::string(dst->litem[0].FileName));
    EXPECT_EQ(std::string(31, 'x'), std::string(dst->litem[0].ProfileName));
    EXPECT_EQ(INT32_MAX, dst->litem[0].iIndexOnDevice);
}

} // namespace
