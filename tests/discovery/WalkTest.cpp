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

class WalkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        homesandbox::reset();
        agentPort();
    }

    void startSnmpd(const std::vector<Variable>& table)
    {
        snmpd_.setTable(table);
        std::string why;
        ASSERT_TRUE(snmpd_.start(&why)) << why;
    }

    Snmpd snmpd_;
};

TEST_F(WalkTest, ThreeRowsFillTheFirstThreeSlots)
{
    ASSERT_NO_FATAL_FAILURE(startSnmpd(joined({profileRow(1, "PROF1.ICC", 4, 1, "Vivid", 3),
                                               profileRow(2, "PROF2.ICC", 5, 2, "Soft", 1),
                                               profileRow(3, "SIM3.ICC", 4, 3, "Press", 2)})));
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

TEST_F(WalkTest, OnlyKnownColumnsOfTheExpectedTypeAreStored)
{
    auto rowWithoutIndex = profileRow(2, "NOINDEX.ICC", 4, 1);
    rowWithoutIndex.erase(rowWithoutIndex.begin());
    ASSERT_NO_FATAL_FAILURE(startSnmpd(joined({
        profileRow(1, "PROF1.ICC", 4, 1),
        rowWithoutIndex,
        {{cell(1, 3), "integer", "3"},
         {cell(2, 3), "string", "4"},       // location as text
         {cell(3, 3), "string", "Typed"},
         {cell(4, 3), "integer", "7"},      // file name as a number
         {cell(5, 3), "string", "1"},
         {cell(6, 3), "string", "SIX.ICC"}, // column 6 is not read
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

TEST_F(WalkTest, UntrustedRowsAndStringsStayInBounds)
{
    const std::string root = "1.3.6.1.4.1.51234.1.1.1.1.6.13.1.1";
    const std::string forty(40, 'N');
    const std::string thirtyOne(31, 'T');
    // 30 ASCII bytes and a three-byte character: the cut at 31 bytes would split the character.
    const std::string split = std::string(30, 'J') + "\xE3\x81\x82";
    ASSERT_NO_FATAL_FAILURE(startSnmpd({
        {cell(1, 0), "integer", "0"},
        {cell(4, 0), "string", "ROWZERO.ICC"},
        {cell(1, 1), "integer", "1"},
        {cell(3, 1), "string", forty},
        {cell(4, 1), "string", thirtyOne},
        {cell(1, 2), "integer", "2"},
        {cell(3, 2), "string", split},
        {cell(1, 500), "integer", "500"},
        {cell(4, 500), "string", "LAST.ICC"},
        {cell(1, 501), "integer", "501"},
        {cell(4, 501), "string", "BEYOND.ICC"},
        {root + ".1.1.4294967295", "integer", "9"},
        {root + ".4.7", "string", "SHORT.ICC"},    // 17 sub-identifiers: no row
        {root + ".4", "string", "COLUMN.ICC"},     // 16
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

TEST_F(WalkTest, AVariableBeyondTheTableEndsTheWalkUncounted)
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

TEST_F(WalkTest, EveryFetchWalksAgainInTheSameProcess)
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

} // namespace
