// SPDX-License-Identifier: Apache-2.0
// The merge of a walk into the profile list file, through real walks: the net effect on every
// state, where new profiles go, what is dropped, and fetches that make no walk at all.
#include "Agents.h"
#include "ProfileFiles.h"

#include "binding/PDECommon.h"
#include "support/HomeSandbox.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace disctest;

std::vector<unsigned long> numbers(const std::string& dotted)
{
    std::vector<unsigned long> parts;
    std::stringstream in(dotted);
    std::string part;
    while (std::getline(in, part, '.')) parts.push_back(std::stoul(part));
    return parts;
}

// The fake agent's script that hands out these variables in walk order, then the error status.
std::string scriptOf(std::vector<Variable> variables, int finalErrorStatus)
{
    std::sort(variables.begin(), variables.end(),
        [](const Variable& a, const Variable& b) { return numbers(a.oid) < numbers(b.oid); });
    std::string json = "[";
    for (const Variable& v : variables)
        json += "{\"vars\": [[\"" + v.oid + "\", \"" + v.type + "\", \"" + v.value + "\"]]}, ";
    return json + "{\"error\": " + std::to_string(finalErrorStatus) + "}]";
}

std::vector<Variable> rows(const std::vector<std::string>& fileNames, int profileClass = 1)
{
    std::vector<Variable> table;
    int row = 1;
    for (const auto& name : fileNames) {
        auto variables = profileRow(row++, name, tlco::kLocationDisk, profileClass, "Printer");
        table.insert(table.end(), variables.begin(), variables.end());
    }
    return table;
}

using DiscoveryMergeTest = AgentTest;

constexpr int kRemoved = -1;

// Profiles P1.ICC to P6.ICC listed with the states 1 to 6; the walk's outcome decides each state.
struct NetEffect {
    const char* walk;
    bool inSpool;
    int walkFailed; // 0 the walk succeeds, else the error status that ends it
    int after[6];   // state of P1..P6 afterwards, kRemoved when no longer listed
};

TEST_F(DiscoveryMergeTest, NetEffectOnEveryListedState)
{
    const std::vector<std::string> listed{"P1.ICC", "P2.ICC", "P3.ICC", "P4.ICC", "P5.ICC", "P6.ICC"};
    const NetEffect effects[] = {
        {"succeeded, in the spool", true, 0, {2, 2, 4, 4, 2, 4}},
        {"succeeded, not in the spool", false, 0, {1, 1, 6, 6, 5, 6}},
        {"failed, not in the spool", false, 5, {kRemoved, kRemoved, 6, 6, 5, 6}},
        // Rows fetched before the failure are kept, also where the failure freed their slot.
        {"failed, in the spool", true, 5, {2, 2, 4, 4, 2, 4}},
    };
    for (const NetEffect& effect : effects) {
        SCOPED_TRACE(effect.walk);
        homesandbox::reset();
        Lists before;
        for (int state = 1; state <= 6; ++state)
            add(*before.rgb, item(state, state, listed[state - 1], tlco::kLocationDisk, 1, "Listed"));
        writeLists(before);

        std::vector<Variable> table = rows(effect.inSpool ? listed : std::vector<std::string>{"OTHER.ICC"});
        if (effect.walkFailed) {
            FakeAgent agent;
            std::string why;
            ASSERT_TRUE(
                agent.start(scriptOf(effect.inSpool ? table : std::vector<Variable>{}, effect.walkFailed), &why))
                << why;
            fetch("lpd://127.0.0.1/queue");
        } else {
            Snmpd snmpd;
            snmpd.setTable(table);
            std::string why;
            ASSERT_TRUE(snmpd.start(&why)) << why;
            fetch("lpd://127.0.0.1/queue");
        }

        Lists after = readLists();
        int listedCount = 0;
        for (int i = 0; i < 6; ++i) {
            const ProfileItem* found = find(*after.rgb, listed[i]);
            if (effect.after[i] == kRemoved) {
                EXPECT_EQ(nullptr, found) << listed[i];
                continue;
            }
            ++listedCount;
            ASSERT_NE(nullptr, found) << listed[i];
            EXPECT_EQ(effect.after[i], found->iInMenu) << listed[i];
        }
        if (!effect.inSpool && !effect.walkFailed) {
            const ProfileItem* added = find(*after.rgb, "OTHER.ICC");
            ASSERT_NE(nullptr, added) << "a profile new on the printer is added";
            EXPECT_EQ(tlco::kStatePrinterPresent, added->iInMenu);
            ++listedCount;
        }
        EXPECT_EQ(listedCount, after.rgb->iNum);
        EXPECT_EQ(0, after.sim->iNum);
        EXPECT_EQ(0, after.dst->iNum);
        if (effect.inSpool && !effect.walkFailed) {
            EXPECT_STREQ("Listed", find(*after.rgb, "P3.ICC")->ProfileName) << "a re-confirmed profile keeps its name";
        }
    }
}

TEST_F(DiscoveryMergeTest, NewProfilesGoToTheListsTheirClassSelects)
{
    Lists before;
    add(*before.sim, item(9, tlco::kStateUserShown, "MINE.ICC", tlco::kLocationCard, 2));
    writeLists(before);
    const std::string previous = *readBytes(profileListPath());
    std::vector<Variable> table;
    const struct {
        const char* file;
        int location;
        int profileClass;
    } printer[] = {
        {"RGB1.ICC", 4, 1},
        {"RGB2.ICM", 5, 2},
        {"SIM3.ICC", 4, 3},
        {"OTHER4.ICC", 4, 4},
        {"LOC6.ICC", 6, 1},
        {"LONGNAME1.ICC", 4, 1},
        {"SP ACE.ICC", 4, 3},
    };
    int row = 1;
    for (const auto& p : printer) {
        auto variables = profileRow(row++, p.file, p.location, p.profileClass, std::string("From ") + p.file);
        table.insert(table.end(), variables.begin(), variables.end());
    }
    ASSERT_NO_FATAL_FAILURE(startSnmpd(table));

    fetch("lpd://127.0.0.1/queue");

    EXPECT_EQ(previous, readBytes(backupPath())) << "the backup holds the file from before the fetch";
    Lists after = readLists();
    ASSERT_EQ(2, after.rgb->iNum);
    EXPECT_STREQ("RGB1.ICC", after.rgb->litem[0].FileName);
    EXPECT_EQ(tlco::kStatePrinterPresent, after.rgb->litem[0].iInMenu);
    EXPECT_EQ(1, after.rgb->litem[0].iIndexOnDevice);
    EXPECT_STREQ("From RGB1.ICC", after.rgb->litem[0].ProfileName);
    EXPECT_STREQ("RGB2.ICM", after.rgb->litem[1].FileName);
    EXPECT_EQ(tlco::kLocationCard, after.rgb->litem[1].iLocation);
    EXPECT_EQ(tlco::kStatePrinterPresent, after.rgb->litem[1].iInMenu);
    ASSERT_EQ(2, after.sim->iNum);
    EXPECT_STREQ("MINE.ICC", after.sim->litem[0].FileName);
    EXPECT_EQ(tlco::kStateUserShown, after.sim->litem[0].iInMenu);
    EXPECT_STREQ("SIM3.ICC", after.sim->litem[1].FileName);
    EXPECT_EQ(tlco::kStatePrinterPresent, after.sim->litem[1].iInMenu);
    ASSERT_EQ(1, after.dst->iNum);
    EXPECT_STREQ("SIM3.ICC", after.dst->litem[0].FileName);
    EXPECT_EQ(3, after.dst->litem[0].iProfileClass);
}

TEST_F(DiscoveryMergeTest, ListedNamesThatAreNot83AreDroppedWhateverTheirState)
{
    Lists before;
    add(*before.rgb, item(1, tlco::kStatePrinterPresentShown, "MY PROF.ICC"));
    add(*before.rgb, item(2, tlco::kStatePrinterPresent, "OK1.ICC"));
    add(*before.rgb, item(501, tlco::kStateUserShown, "TOOLONGNAME.ICC"));
    add(*before.rgb, item(502, tlco::kStateUser, "OK2.ICC"));
    add(*before.dst, item(3, tlco::kStatePrinterUnconfirmedShown, "NAME.ICCX"));
    writeLists(before);
    ASSERT_NO_FATAL_FAILURE(startSnmpd({}));

    fetch("lpd://127.0.0.1/queue");

    Lists after = readLists();
    ASSERT_EQ(2, after.rgb->iNum);
    EXPECT_STREQ("OK1.ICC", after.rgb->litem[0].FileName);
    EXPECT_EQ(tlco::kStatePrinterUnconfirmed, after.rgb->litem[0].iInMenu);
    EXPECT_STREQ("OK2.ICC", after.rgb->litem[1].FileName);
    EXPECT_EQ(tlco::kStateUser, after.rgb->litem[1].iInMenu);
    EXPECT_EQ(0, after.dst->iNum);
}

TEST_F(DiscoveryMergeTest, SameNameAtAnotherLocationIsAnotherProfile)
{
    Lists before;
    add(*before.rgb, item(1, tlco::kStatePrinterPresentShown, "SAME.ICC", tlco::kLocationDisk));
    writeLists(before);
    ASSERT_NO_FATAL_FAILURE(startSnmpd(profileRow(1, "SAME.ICC", tlco::kLocationCard, 1)));

    fetch("lpd://127.0.0.1/queue");

    Lists after = readLists();
    ASSERT_EQ(2, after.rgb->iNum);
    ASSERT_NE(nullptr, find(*after.rgb, "SAME.ICC", tlco::kLocationDisk));
    EXPECT_EQ(tlco::kStateUserShown, find(*after.rgb, "SAME.ICC", tlco::kLocationDisk)->iInMenu);
    ASSERT_NE(nullptr, find(*after.rgb, "SAME.ICC", tlco::kLocationCard));
    EXPECT_EQ(tlco::kStatePrinterPresent, find(*after.rgb, "SAME.ICC", tlco::kLocationCard)->iInMenu);
}

TEST_F(DiscoveryMergeTest, RowsAfterAGapInTheNumberingAreKept)
{
    // The printer deleted its profiles 2 to 4: rows 1 and 5 remain.
    std::vector<Variable> table = profileRow(1, "FIRST.ICC", tlco::kLocationDisk, 1);
    auto fifth = profileRow(5, "FIFTH.ICC", tlco::kLocationDisk, 1);
    table.insert(table.end(), fifth.begin(), fifth.end());
    ASSERT_NO_FATAL_FAILURE(startSnmpd(table));

    fetch("lpd://127.0.0.1/queue");

    Lists after = readLists();
    ASSERT_EQ(2, after.rgb->iNum);
    EXPECT_NE(nullptr, find(*after.rgb, "FIRST.ICC"));
    ASSERT_NE(nullptr, find(*after.rgb, "FIFTH.ICC"));
    EXPECT_EQ(5, find(*after.rgb, "FIFTH.ICC")->iIndexOnDevice);
}

TEST_F(DiscoveryMergeTest, FullListTakesNoNewProfile)
{
    Lists before;
    for (int i = 0; i < tlco::kProfileListCapacity; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "U%03d.ICC", i);
        add(*before.rgb, item(500 + i, tlco::kStateUser, name));
    }
    writeLists(before);
    ASSERT_NO_FATAL_FAILURE(startSnmpd(profileRow(1, "NEW.ICC", tlco::kLocationDisk, 1)));

    fetch("lpd://127.0.0.1/queue");

    Lists after = readLists();
    EXPECT_EQ(tlco::kProfileListCapacity, after.rgb->iNum);
    EXPECT_EQ(nullptr, find(*after.rgb, "NEW.ICC"));
    EXPECT_STREQ("U499.ICC", after.rgb->litem[499].FileName);
}

TEST_F(DiscoveryMergeTest, FirstFetchWithoutAListFileCreatesIt)
{
    ASSERT_NO_FATAL_FAILURE(startSnmpd(profileRow(1, "FIRST.ICC", tlco::kLocationDisk, 3)));

    fetch("lpd://127.0.0.1/queue");

    EXPECT_FALSE(readBytes(backupPath()).has_value());
    Lists after = readLists();
    EXPECT_EQ(0, after.rgb->iNum);
    ASSERT_EQ(1, after.sim->iNum);
    ASSERT_EQ(1, after.dst->iNum);
    EXPECT_STREQ("FIRST.ICC", after.dst->litem[0].FileName);
}

TEST_F(DiscoveryMergeTest, PrintersOffTheNetworkCauseNoSnmpTraffic)
{
    SilentAgent listener;
    ASSERT_TRUE(listener.bound());
    const std::string port = std::to_string(agentPort());
    const char* uris[] = {
        "usb://TESSALUMA/zq4410?serial=127.0.0.1",
        "pap://127.0.0.1/zq4410/LaserWriter",
        "ipp://127.0.0.1/ipp/print",
        "ipps://127.0.0.1:631/printers/zq4410",
        "socket://127.0.0.1:9100",
        "LPD://127.0.0.1/queue",
        "dnssd://zq4410%20Test._pdl-datastream._tcp.local/",
        "lpd:///queue",
    };
    for (const char* uri : uris) {
        SCOPED_TRACE(uri);
        homesandbox::reset();
        Lists before;
        add(*before.rgb, item(1, tlco::kStatePrinterPresent, "KEEP.ICC"));
        writeLists(before);
        const auto previous = readBytes(profileListPath());
        ASSERT_TRUE(previous.has_value());

        fetch(uri);

        EXPECT_EQ(0, listener.datagramsReceived());
        EXPECT_EQ(previous, readBytes(profileListPath()));
        EXPECT_EQ(previous, readBytes(backupPath()));
    }
    homesandbox::reset();
    writeLists(*std::make_unique<Lists>());
    const auto previous = readBytes(profileListPath());
    pm::Session noPrinter;
    tlco::PDECommon::commonGetProfilesFromMIB(&noPrinter);
    EXPECT_EQ(previous, readBytes(backupPath()));
    EXPECT_EQ(0, tlco::PDECommon::commonGetProfilesFromMIB(nullptr));
    EXPECT_EQ(0, listener.datagramsReceived());
}

} // namespace
