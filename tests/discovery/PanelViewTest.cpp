// SPDX-License-Identifier: Apache-2.0
// The fetch as the print dialog host runs it: every panelView walks the printer's table and merges it.
#include "Agents.h"
#include "ProfileFiles.h"

#include "support/HomeSandbox.h"
#include "support/Process.h"
#include "support/TestPaths.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

using namespace disctest;

testproc::Result printdialog(const std::string& script, const std::string& deviceURI = "lpd://127.0.0.1/queue",
    std::vector<std::string> environment = {})
{
    environment.push_back("LC_ALL=C");
    return testproc::run(
        {testpaths::printdialog(), "--json", "--script", "-", "--device-uri", deviceURI}, script, environment);
}

int answersOf(const testproc::Result& result, const std::string& answer)
{
    int count = 0;
    for (const auto& line : testproc::jsonLines(result.out))
        if (line.find(answer) != std::string::npos) ++count;
    return count;
}

class DiscoveryPanelViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        homesandbox::reset();
        agentPort();
        snmpd_.setTable([] {
            std::vector<Variable> table;
            for (const auto& row : {profileRow(1, "RGB1.ICC", tlco::kLocationDisk, 1, "Vivid"),
                     profileRow(2, "RGB2.ICC", tlco::kLocationCard, 2, "Soft"),
                     profileRow(3, "PRESS3.ICC", tlco::kLocationDisk, 3, "Press")})
                table.insert(table.end(), row.begin(), row.end());
            return table;
        }());
        std::string why;
        ASSERT_TRUE(snmpd_.start(&why)) << why;
    }

    Snmpd snmpd_;
};

TEST_F(DiscoveryPanelViewTest, PanelViewFetchesAndMergesThePrintersProfiles)
{
    Lists before;
    add(*before.rgb, item(7, tlco::kStatePrinterPresentShown, "GONE.ICC"));
    add(*before.dst, item(8, tlco::kStatePrinterPresent, "PRESS3.ICC", tlco::kLocationDisk, 3, "Listed"));
    writeLists(before);
    const auto previous = readBytes(profileListPath());

    const auto result = printdialog("panelView\n");

    ASSERT_EQ(0, result.status) << result.err;
    EXPECT_EQ(1, answersOf(result, "{\"panelView\": true}") + answersOf(result, "{\"panelView\":true}"));
    EXPECT_EQ("", result.err);
    EXPECT_EQ(previous, readBytes(backupPath()));
    Lists after = readLists();
    ASSERT_EQ(3, after.rgb->iNum);
    EXPECT_EQ(tlco::kStateUserShown, find(*after.rgb, "GONE.ICC")->iInMenu) << "shown, no longer on the printer";
    ASSERT_NE(nullptr, find(*after.rgb, "RGB1.ICC"));
    EXPECT_EQ(tlco::kStatePrinterPresent, find(*after.rgb, "RGB1.ICC")->iInMenu);
    ASSERT_NE(nullptr, find(*after.rgb, "RGB2.ICC", tlco::kLocationCard));
    EXPECT_EQ(tlco::kStatePrinterPresent, find(*after.rgb, "RGB2.ICC", tlco::kLocationCard)->iInMenu);
    ASSERT_EQ(1, after.sim->iNum);
    EXPECT_EQ(tlco::kStatePrinterPresent, find(*after.sim, "PRESS3.ICC")->iInMenu);
    ASSERT_EQ(1, after.dst->iNum);
    EXPECT_STREQ("Listed", find(*after.dst, "PRESS3.ICC")->ProfileName) << "re-confirmed, not added again";
}

TEST_F(DiscoveryPanelViewTest, EveryPanelViewWalksAgain)
{
    EXPECT_EQ(0, walk());
    const int oneWalk = snmpd_.takeRequestCount();
    ASSERT_GT(oneWalk, 18);

    const auto result = printdialog("panelView\npanelView\n");

    ASSERT_EQ(0, result.status) << result.err;
    EXPECT_EQ(2 * oneWalk, snmpd_.takeRequestCount());
}

// A walk still running after half a second says so once: on standard error as text, or as a progress
// object among the JSON answers; a quick walk says nothing.
TEST_F(DiscoveryPanelViewTest, AQuickWalkSaysNothing)
{
    const auto start = std::chrono::steady_clock::now();
    const auto result =
        testproc::run({testpaths::printdialog(), "--script", "-", "--device-uri", "lpd://127.0.0.1/queue"},
            "panelView\n", {"LC_ALL=C"});
    const auto took = std::chrono::steady_clock::now() - start;
    ASSERT_EQ(0, result.status) << result.err;
    // A loaded machine may slow the whole run past the threshold; only a quick run proves silence.
    if (took < std::chrono::milliseconds(450)) {
        EXPECT_EQ("", result.err);
    }
}

TEST(DiscoveryProgress, ASlowWalkAnnouncesItselfOnce)
{
    homesandbox::reset();
    agentPort();
    SilentAgent agent;
    ASSERT_TRUE(agent.bound());
    const std::string text = "asking 127.0.0.1 for its stored colour profiles\u2026";
    for (bool json : {false, true}) {
        SCOPED_TRACE(json ? "json" : "text");
        std::vector<std::string> argv = {
            testpaths::printdialog(), "--script", "-", "--device-uri", "lpd://127.0.0.1/q"};
        if (json) argv.push_back("--json");

        const auto result = testproc::run(argv, "panelView\n", {"LC_ALL=C"});

        ASSERT_EQ(0, result.status) << result.err;
        if (json) {
            EXPECT_EQ("", result.err);
            EXPECT_EQ(1, answersOf(result, "{\"progress\":\"" + text + "\"}")) << result.out;
        } else {
            EXPECT_EQ("printdialog: " + text + "\n", result.err);
            EXPECT_EQ(std::string::npos, result.out.find("progress"));
        }
    }
}

TEST_F(DiscoveryPanelViewTest, AnIPv6PrinterIsWalkedOverUdp6AndMerged)
{
    Lists before;
    add(*before.rgb, item(7, tlco::kStatePrinterPresentShown, "RGB1.ICC", tlco::kLocationDisk, 1, "Shown"));
    writeLists(before);

    const auto result = printdialog("panelView\n", "lpd://[::1]/queue");

    ASSERT_EQ(0, result.status) << result.err;
    EXPECT_EQ("", result.err);
    Lists after = readLists();
    ASSERT_EQ(2, after.rgb->iNum);
    EXPECT_EQ(tlco::kStatePrinterPresentShown, find(*after.rgb, "RGB1.ICC")->iInMenu) << "confirmed, still shown";
    ASSERT_NE(nullptr, find(*after.rgb, "RGB2.ICC", tlco::kLocationCard));
    EXPECT_EQ(1, after.dst->iNum);
}

TEST_F(DiscoveryPanelViewTest, AHostThatIsNoNameOrAddressMakesNoWalkAndNoMerge)
{
    Lists before;
    add(*before.rgb, item(7, tlco::kStatePrinterPresent, "HIDDEN.ICC"));
    add(*before.rgb, item(8, tlco::kStatePrinterPresentShown, "SHOWN.ICC"));
    writeLists(before);
    const auto previous = readBytes(profileListPath());
    const std::string folder = makeTempDir("cwd");
    snmpd_.takeRequestCount();

    for (const char* uri : {"lpd://-Lf/q", "lpd://[2001:db8::1/queue", "lpd://[::1/q"}) {
        SCOPED_TRACE(uri);
        auto result = testproc::run({"/bin/sh", "-c", "cd '" + folder + "' && exec \"$0\" \"$@\"",
                                        testpaths::printdialog(), "--json", "--script", "-", "--device-uri", uri},
            "panelView\n", {"LC_ALL=C"});
        ASSERT_EQ(0, result.status) << result.err;
        EXPECT_EQ("", result.err);
        EXPECT_EQ(std::string::npos, result.out.find("hostname")) << result.out;
        EXPECT_EQ(previous, readBytes(profileListPath())) << "the failure rules must not run";
        EXPECT_TRUE(std::filesystem::is_empty(folder)) << "the library wrote a file";
    }
    EXPECT_EQ(0, snmpd_.takeRequestCount());
}

TEST_F(DiscoveryPanelViewTest, ASlowAgentIsCutOffAtTheWalksDeadline)
{
    snmpd_.stop();
    const struct {
        const char* name;
        std::string script;
    } cases[] = {
        {"a growing table, a cell at a time",
            R"({"endless": ".1.3.6.1.4.1.51234.1.1.1.1.6.13.1.1.6.1", "delay": 0.4})"},
        {"a long table, a row at a time", tableScript(profileRows(1, 500), {}, std::nullopt, 0.4)},
    };
    const std::string config = makeTempDir("deadline");
    std::filesystem::copy_file(std::string(std::getenv("SNMPCONFPATH")) + "/snmp.conf", config + "/snmp.conf");
    std::ofstream(config + "/snmpwalk.conf") << "walkDeadline 2\n";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Lists before;
        add(*before.rgb, item(8, tlco::kStatePrinterPresentShown, "SHOWN.ICC"));
        writeLists(before);
        FakeAgent agent;
        std::string why;
        ASSERT_TRUE(agent.start(c.script, &why)) << why;

        const auto start = std::chrono::steady_clock::now();
        const auto result = printdialog("panelView\n", "lpd://127.0.0.1/queue", {"SNMPCONFPATH=" + config});
        const auto took = std::chrono::steady_clock::now() - start;

        ASSERT_EQ(0, result.status) << result.err;
        EXPECT_GT(took, std::chrono::milliseconds(1900));
        EXPECT_LT(took, std::chrono::milliseconds(4500));
        EXPECT_EQ(tlco::kStateUserShown, find(*readLists().rgb, "SHOWN.ICC")->iInMenu) << "merged as a failed walk";
    }
}

// A name server that never answers: the printer's name lookup counts inside the walk's deadline.
TEST_F(DiscoveryPanelViewTest, ANameServerThatNeverAnswersEndsAtTheWalksDeadline)
{
    // In a network namespace of its own, a name server on 127.0.0.1 that takes every question and
    // answers none; the resolver would wait 2 x 5 s for each.
    constexpr const char* kSilentNameServer = R"(
set -e
ip link set lo up
python3 -c 'import socket, time
s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
s.bind(("127.0.0.1", 53))
open(__import__("sys").argv[1], "w").close()
time.sleep(60)' "$1/listening" &
server=$!
while [ ! -e "$1/listening" ]; do sleep 0.05; done
printf 'nameserver 127.0.0.1\noptions timeout:5 attempts:2\n' > "$1/resolv.conf"
mount --bind "$1/resolv.conf" /etc/resolv.conf
shift
set +e
"$@"
status=$?
kill $server
exit $status
)";
    if (testproc::run({"/usr/bin/unshare", "-mn", "/bin/true"}).status != 0)
        GTEST_SKIP() << "no network namespace here (unshare -mn)";
    const std::string config = makeTempDir("silent-dns");
    std::filesystem::copy_file(std::string(std::getenv("SNMPCONFPATH")) + "/snmp.conf", config + "/snmp.conf");
    std::ofstream(config + "/snmpwalk.conf") << "walkDeadline 2\n";

    const auto start = std::chrono::steady_clock::now();
    const auto result = testproc::run(
        {"/usr/bin/unshare", "-mn", "/bin/sh", "-c", kSilentNameServer, "sh", config, testpaths::printdialog(),
            "--json", "--script", "-", "--device-uri", "lpd://printer.example.lan/q"},
        "panelView\n", {"LC_ALL=C", "SNMPCONFPATH=" + config});
    const auto took = std::chrono::steady_clock::now() - start;

    ASSERT_EQ(0, result.status) << result.err;
    EXPECT_EQ(1, answersOf(result, "\"panelView\":true"));
    EXPECT_LT(took, std::chrono::milliseconds(4500));
    EXPECT_EQ(0, snmpd_.takeRequestCount());
}

} // namespace
