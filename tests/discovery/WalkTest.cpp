// SPDX-License-Identifier: Apache-2.0
// The walk against real SNMP peers on 127.0.0.1: what lands in the spool, how each kind of failure
// ends the walk, and that walks repeat within one process.
#include "Agents.h"
#include "ProfileFiles.h"

#include "discovery/MibWalk.h"
#include "discovery/Spool.h"
#include "support/HomeSandbox.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <string>
#include <vector>

namespace {

using namespace disctest;
using tlco::numprinted;
using tlco::PlistForSpool;

std::string bytesOf(const char (&field)[tlco::kProfileNameSize])
{
    return std::string(field, sizeof field);
}

std::string zeroPadded(const std::string& text)
{
    std::string padded = text;
    padded.resize(tlco::kProfileNameSize, '\0');
    return padded;
}

std::vector<Variable> joined(std::initializer_list<std::vector<Variable>> parts)
{
    std::vector<Variable> all;
    for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

using DiscoveryWalkTest = AgentTest;

TEST_F(DiscoveryWalkTest, ThreeRowsFillTheFirstThreeSlots)
{
    ASSERT_NO_FATAL_FAILURE(startSnmpd(joined({profileRow(1, "PROF1.ICC", 4, 1, "Vivid", 3),
        profileRow(2, "PROF2.ICC", 5, 2, "Soft", 1), profileRow(3, "SIM3.ICC", 4, 3, "Press", 2)})));
    const int before = numprinted;

    EXPECT_EQ(0, walk());

    EXPECT_EQ(3, PlistForSpool.iNum);
    EXPECT_EQ(before + 18, numprinted);
    const ProfileItem& first = PlistForSpool.litem[0];
    EXPECT_EQ(1, first.iIndexOnDevice);
    EXPECT_EQ(4, first.iLocation);
    EXPECT_EQ(1, first.iProfileClass);
    EXPECT_EQ(3, first.iDriver);
    EXPECT_EQ(0, first.iInMenu);
    EXPECT_EQ(zeroPadded("PROF1.ICC"), bytesOf(first.FileName));
    EXPECT_EQ(zeroPadded("Vivid"), bytesOf(first.ProfileName));
    EXPECT_EQ(2, PlistForSpool.litem[1].iIndexOnDevice);
    EXPECT_EQ(5, PlistForSpool.litem[1].iLocation);
    EXPECT_STREQ("SIM3.ICC", PlistForSpool.litem[2].FileName);
    EXPECT_EQ(3, PlistForSpool.litem[2].iProfileClass);
    EXPECT_EQ(0, PlistForSpool.litem[3].iIndexOnDevice);
    EXPECT_EQ(0, PlistForSpool.litem[3].FileName[0]);
}

TEST_F(DiscoveryWalkTest, OnlyKnownColumnsOfTheExpectedTypeAreStored)
{
    auto rowWithoutIndex = profileRow(2, "NOINDEX.ICC", 4, 1);
    rowWithoutIndex.erase(rowWithoutIndex.begin());
    ASSERT_NO_FATAL_FAILURE(startSnmpd(joined({
        profileRow(1, "PROF1.ICC", 4, 1),
        rowWithoutIndex,
        {{cell(1, 3), "integer", "3"}, {cell(2, 3), "string", "4"},         // location as text
            {cell(3, 3), "string", "Typed"}, {cell(4, 3), "integer", "7"},  // file name as a number
            {cell(5, 3), "string", "1"}, {cell(6, 3), "string", "SIX.ICC"}, // column 6 is not read
            {cell(7, 3), "integer", "-1"}},
    })));

    EXPECT_EQ(0, walk());

    EXPECT_EQ(2, PlistForSpool.iNum) << "only rows with column 1 are counted";
    const ProfileItem& uncounted = PlistForSpool.litem[1];
    EXPECT_EQ(0, uncounted.iIndexOnDevice);
    EXPECT_STREQ("NOINDEX.ICC", uncounted.FileName);
    EXPECT_EQ(4, uncounted.iLocation);
    const ProfileItem& typed = PlistForSpool.litem[2];
    EXPECT_EQ(3, typed.iIndexOnDevice);
    EXPECT_EQ(0, typed.iLocation);
    EXPECT_EQ(0, typed.iProfileClass);
    EXPECT_EQ(zeroPadded(""), bytesOf(typed.FileName));
    EXPECT_STREQ("Typed", typed.ProfileName);
    EXPECT_EQ(-1, typed.iDriver);
}

TEST_F(DiscoveryWalkTest, UntrustedRowsAndStringsStayInBounds)
{
    const std::string root = "1.3.6.1.4.1.51234.1.1.1.1.6.13.1.1";
    const std::string forty(40, 'N');
    const std::string thirtyOne(31, 'T');
    // 30 ASCII bytes and a three-byte character: the cut at 31 bytes would split the character.
    const std::string split = std::string(30, 'J') + "\xE3\x81\x82";
    ASSERT_NO_FATAL_FAILURE(startSnmpd({
        {cell(1, 0), "integer", "0"}, {cell(4, 0), "string", "ROWZERO.ICC"}, {cell(1, 1), "integer", "1"},
        {cell(3, 1), "string", forty}, {cell(4, 1), "string", thirtyOne}, {cell(1, 2), "integer", "2"},
        {cell(3, 2), "string", split}, {cell(1, 500), "integer", "500"}, {cell(4, 500), "string", "LAST.ICC"},
        {cell(1, 501), "integer", "501"}, {cell(4, 501), "string", "BEYOND.ICC"},
        {root + ".1.1.4294967295", "integer", "9"},
        {root + ".4.7", "string", "SHORT.ICC"}, // 17 sub-identifiers: no row
        {root + ".4", "string", "COLUMN.ICC"},  // 16
    }));

    EXPECT_EQ(0, walk());

    EXPECT_EQ(3, PlistForSpool.iNum) << "rows 1, 2 and 500 only";
    EXPECT_EQ(zeroPadded(std::string(31, 'N')), bytesOf(PlistForSpool.litem[0].ProfileName));
    EXPECT_EQ(zeroPadded(thirtyOne), bytesOf(PlistForSpool.litem[0].FileName));
    EXPECT_EQ(zeroPadded(std::string(30, 'J')), bytesOf(PlistForSpool.litem[1].ProfileName));
    EXPECT_EQ(500, PlistForSpool.litem[499].iIndexOnDevice);
    EXPECT_STREQ("LAST.ICC", PlistForSpool.litem[499].FileName);
    for (const ProfileItem& slot : PlistForSpool.litem) {
        EXPECT_STRNE("ROWZERO.ICC", slot.FileName);
        EXPECT_STRNE("BEYOND.ICC", slot.FileName);
        EXPECT_STRNE("SHORT.ICC", slot.FileName);
        EXPECT_STRNE("COLUMN.ICC", slot.FileName);
        EXPECT_NE(9, slot.iIndexOnDevice);
    }
}

TEST_F(DiscoveryWalkTest, AVariableBeyondTheTableEndsTheWalkUncounted)
{
    ASSERT_NO_FATAL_FAILURE(startSnmpd(joined({
        profileRow(1, "PROF1.ICC", 4, 1),
        {{"1.3.6.1.4.1.51234.1.1.1.1.6.13.1.2.1.1.1", "integer", "1"},
            {"1.3.6.1.4.1.51234.1.1.1.1.6.13.1.2.4.1.1", "string", "NEXT.ICC"}},
    })));
    const int before = numprinted;

    EXPECT_EQ(0, walk());

    EXPECT_EQ(before + 6, numprinted);
    EXPECT_EQ(1, PlistForSpool.iNum);
}

TEST_F(DiscoveryWalkTest, EveryFetchWalksAgainInTheSameProcess)
{
    ASSERT_NO_FATAL_FAILURE(startSnmpd(profileRow(1, "FIRST.ICC", 4, 1)));
    fetch("lpd://127.0.0.1/queue");
    ASSERT_EQ(1, PlistForSpool.iNum);
    EXPECT_STREQ("FIRST.ICC", PlistForSpool.litem[0].FileName);

    snmpd_.setTable(joined({profileRow(1, "SECOND.ICC", 5, 3), profileRow(2, "THIRD.ICC", 4, 1)}));
    fetch("lpd://127.0.0.1:515/queue");
    ASSERT_EQ(2, PlistForSpool.iNum);
    EXPECT_STREQ("SECOND.ICC", PlistForSpool.litem[0].FileName);
    EXPECT_STREQ("THIRD.ICC", PlistForSpool.litem[1].FileName);

    snmpd_.setTable({});
    fetch("lpd://127.0.0.1/queue");
    EXPECT_EQ(0, PlistForSpool.iNum);
    EXPECT_EQ(0, PlistForSpool.litem[0].FileName[0]) << "the spool is emptied by every walk";
}

// One response of the fake agent's script.
std::string step(const std::vector<Variable>& variables, int errorStatus = 0)
{
    std::string json = "{\"error\": " + std::to_string(errorStatus) + ", \"vars\": [";
    for (size_t i = 0; i < variables.size(); ++i) {
        const Variable& v = variables[i];
        json += (i ? ", " : "") + std::string("[\"") + v.oid + "\", \"" + v.type + "\", \"" + v.value + "\"]";
    }
    return json + "]}";
}

std::string script(std::initializer_list<std::string> steps)
{
    std::string json = "[";
    for (const auto& s : steps) json += (json.size() > 1 ? ", " : "") + s;
    return json + "]";
}

// A profile the printer had listed as present (2) and one shown in the menu (4), to see which rules
// the merge ran with.
void listTwoPrinterProfiles()
{
    Lists lists;
    add(*lists.rgb, item(1, tlco::kStatePrinterPresent, "HIDDEN.ICC"));
    add(*lists.rgb, item(2, tlco::kStatePrinterPresentShown, "SHOWN.ICC"));
    writeLists(lists);
}

// The merge ran with the failure rules: the hidden printer profile is gone, the shown one is kept
// as the user's.
::testing::AssertionResult mergedAsFailed()
{
    Lists lists = readLists();
    if (find(*lists.rgb, "HIDDEN.ICC")) return ::testing::AssertionFailure() << "HIDDEN.ICC is still listed";
    const ProfileItem* shown = find(*lists.rgb, "SHOWN.ICC");
    if (!shown || shown->iInMenu != tlco::kStateUserShown)
        return ::testing::AssertionFailure() << "SHOWN.ICC is not kept with state 6";
    return ::testing::AssertionSuccess();
}

TEST_F(DiscoveryWalkTest, ScriptedAnswersEndTheWalkWithTheirExitValue)
{
    const auto row1 = cell(1, 1);
    const auto row2 = cell(1, 2);
    const struct {
        const char* name;
        std::string script;
        int exitValue;
        int rows;    // the spool's iNum afterwards
        int counted; // variables added to numprinted
    } cases[] = {
        {"noSuchName at once", script({}), 0, 0, 0},
        {"noSuchName after a row", script({step({{row1, "integer", "1"}}), step({}, 2)}), 0, 1, 1},
        {"endOfMibView", script({step({{row1, "integer", "1"}}), step({{row2, "endOfMibView", ""}})}), 0, 1, 2},
        {"noSuchObject", script({step({{row1, "integer", "1"}}), step({{row2, "noSuchObject", ""}})}), 0, 1, 2},
        {"noSuchInstance", script({step({{row1, "integer", "1"}}), step({{row2, "noSuchInstance", ""}})}), 0, 1, 2},
        {"genErr", script({step({{row1, "integer", "1"}}), step({}, 5)}), 2, 1, 1},
        {"tooBig", script({step({}, 1)}), 2, 0, 0},
        {"OID decreasing", script({step({{row2, "integer", "2"}}), step({{row1, "integer", "1"}})}), 1, 2, 2},
        {"OID repeated", script({step({{row1, "integer", "1"}}), step({{row1, "integer", "1"}})}), 1, 2, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeAgent agent;
        std::string why;
        ASSERT_TRUE(agent.start(c.script, &why)) << why;
        const int before = numprinted;
        EXPECT_EQ(c.exitValue, walk());
        EXPECT_EQ(c.rows, PlistForSpool.iNum);
        // With nothing counted yet in this process, the walk also asks for the root itself.
        if (before > 0) {
            EXPECT_EQ(before + c.counted, numprinted);
        }
    }
}

TEST_F(DiscoveryWalkTest, DecreasingOidIsReportedInTheDebugText)
{
    FakeAgent agent;
    std::string why;
    ASSERT_TRUE(agent.start(script({step({{cell(1, 2), "integer", "2"}}), step({{cell(1, 1), "integer", "1"}})}), &why))
        << why;
    EXPECT_EQ(1, walk());
    EXPECT_STREQ("[SNMP] Error: OID not increasing: .1.3.6.1.4.1.51234.1.1.1.1.6.13.1.1.1.1.2 >= "
                 ".1.3.6.1.4.1.51234.1.1.1.1.6.13.1.1.1.1.1",
        tlco::sDEBUGmsg);
}

TEST_F(DiscoveryWalkTest, AnAgentThatNeverEndsItsTableIsCutOff)
{
    FakeAgent agent;
    std::string why;
    // Below a cell of column 6 with ever larger last sub-identifiers: in the subtree, increasing, no row.
    ASSERT_TRUE(agent.start(R"({"endless": ".1.3.6.1.4.1.51234.1.1.1.1.6.13.1.1.6.1.1"})", &why)) << why;
    int before = numprinted;
    EXPECT_EQ(1, walk());
    EXPECT_EQ(tlco::kMaxWalkVariables, numprinted - before);
    EXPECT_STREQ("[SNMP] Error: more than 3507 variables", tlco::sDEBUGmsg);
}

TEST_F(DiscoveryWalkTest, TheTableIsLeftAtItsFirstRowBeyond500)
{
    std::vector<disctest::Variable> table;
    for (int row = 499; row <= 520; ++row) {
        auto cells = profileRow(row, "P" + std::to_string(row) + ".ICC", 4, 1);
        table.insert(table.end(), cells.begin(), cells.end());
    }
    ASSERT_NO_FATAL_FAILURE(startSnmpd(table));
    snmpd_.takeRequestCount();

    EXPECT_EQ(0, walk());

    EXPECT_EQ(2, PlistForSpool.iNum);
    EXPECT_STREQ("P500.ICC", PlistForSpool.litem[499].FileName);
    // Rows 499 to 501 of the six columns, asked two rows at a time (the first guess, row 1, misses),
    // with a few more questions snmpd may put to its helper; not the 19 rows beyond.
    EXPECT_LE(snmpd_.takeRequestCount(), 28);
}

TEST_F(DiscoveryWalkTest, FailedWalksMergeWithTheFailureRulesAndPrintNothing)
{
    const struct {
        const char* name;
        std::vector<std::string> arguments;
        int exitValue;
    } cases[] = {
        {"session does not open", {"snmpwalk", "-Os", "-c", "orchid", "-v", "1", "ipx:nowhere", "1.3.6.1.4.1"}, 1},
        {"root does not parse", {"snmpwalk", "-Os", "-c", "orchid", "-v", "1", "127.0.0.1", "no.such.root"}, 1},
        {"bad version", {"snmpwalk", "-c", "orchid", "-v", "9", "127.0.0.1"}, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        listTwoPrinterProfiles();
        ::testing::internal::CaptureStdout();
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(c.exitValue, walkWith(c.arguments));
        const std::string printed = ::testing::internal::GetCapturedStdout();
        const std::string reported = ::testing::internal::GetCapturedStderr();
        EXPECT_TRUE(mergedAsFailed());
        // The parser reports a malformed vector itself; everything else goes to the debug hook.
        if (c.exitValue > 0) {
            EXPECT_EQ("", printed);
            EXPECT_EQ("", reported);
        }
    }
}

TEST_F(DiscoveryWalkTest, VersionRequestEndsTheWalkAsTheParserSays)
{
    listTwoPrinterProfiles();
    EXPECT_EQ(-2, walkWith({"snmpwalk", "-V"}));
    EXPECT_TRUE(mergedAsFailed());
}

TEST_F(DiscoveryWalkTest, SilentPrinterTimesOutAfterTheRetries)
{
    SilentAgent agent;
    ASSERT_TRUE(agent.bound());
    listTwoPrinterProfiles();
    const auto start = std::chrono::steady_clock::now();

    ::testing::internal::CaptureStderr();
    EXPECT_EQ(1, walk());
    EXPECT_EQ("", ::testing::internal::GetCapturedStderr());

    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_GT(agent.datagramsReceived(), 1) << "the request and its retry";
    EXPECT_GE(took, std::chrono::milliseconds(1500));
    EXPECT_LT(took, std::chrono::seconds(6));
    EXPECT_TRUE(mergedAsFailed());
}

TEST_F(DiscoveryWalkTest, WalkOptionsHoldForOneWalkOnly)
{
    const std::string root = "1.3.6.1.4.1.51234.1.1.1.1.6.13.1.1";
    const std::string decreasing = script({step({{cell(1, 2), "integer", "2"}}), step({{cell(1, 1), "integer", "1"}})});
    auto walkWithOption = [&](const char* option) {
        return walkWith({"snmpwalk", "-Os", option, "-c", "orchid", "-v", "1", "127.0.0.1", root});
    };
    {
        FakeAgent agent;
        std::string why;
        ASSERT_TRUE(agent.start(decreasing, &why)) << why;
        EXPECT_EQ(0, walkWithOption("-Cc")) << "ordering not checked";
    }
    {
        FakeAgent agent;
        std::string why;
        ASSERT_TRUE(agent.start(decreasing, &why)) << why;
        EXPECT_EQ(1, walk()) << "ordering checked again";
    }
    {
        // includeRequested: the root is asked for first and printed.
        FakeAgent agent;
        std::string why;
        ASSERT_TRUE(agent.start(script({step({{root + ".0", "integer", "4410"}})}), &why)) << why;
        ::testing::internal::CaptureStdout();
        EXPECT_EQ(0, walkWithOption("-Ciz"));
        const std::string printed = ::testing::internal::GetCapturedStdout();
        EXPECT_NE(std::string::npos, printed.find("4410")) << printed;
        EXPECT_STREQ("Unknown flag passed to -C: z\n", tlco::sDEBUGmsg);
    }
    {
        FakeAgent agent;
        std::string why;
        ASSERT_TRUE(agent.start(script({step({{root + ".0", "integer", "4410"}})}), &why)) << why;
        ::testing::internal::CaptureStdout();
        walk();
        EXPECT_EQ("", ::testing::internal::GetCapturedStdout()) << "nothing asked for the root this time";
    }
}

TEST(DiscoverySpoolTest, OidsTooShortToNameARowAreIgnored)
{
    tlco::vSpoolPlist(nullptr, 0, nullptr, 1);
    // A buffer whose 18th sub-identifier would name row 2 if the length were not respected.
    oid name[18] = {1, 3, 6, 1, 4, 1, 51234, 1, 1, 1, 1, 6, 13, 1, 1, 1, 1, 2};
    long value = 9;
    netsnmp_variable_list variable{};
    variable.type = ASN_INTEGER;
    variable.val.integer = &value;
    variable.val_len = sizeof value;
    tlco::vSpoolPlist(name, 17, &variable, 0);
    EXPECT_EQ(0, PlistForSpool.iNum);
    EXPECT_EQ(0, PlistForSpool.litem[1].iIndexOnDevice);
    tlco::vSpoolPlist(name, 18, &variable, 0);
    EXPECT_EQ(1, PlistForSpool.iNum);
    EXPECT_EQ(9, PlistForSpool.litem[1].iIndexOnDevice);
}

} // namespace
