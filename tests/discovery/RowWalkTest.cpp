// SPDX-License-Identifier: Apache-2.0
// The table read a row at a time gives the spool, the exit value and the debug text of the walk
// that reads it column by column, in far fewer requests, whatever the table's shape.
#include "Agents.h"
#include "ProfileFiles.h"

#include "discovery/MibWalk.h"
#include "discovery/Spool.h"

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace disctest;

std::vector<Variable> operator+(std::vector<Variable> a, const std::vector<Variable>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::vector<Variable> without(std::vector<Variable> table, const std::string& oid)
{
    std::erase_if(table, [&](const Variable& v) { return v.oid == oid; });
    return table;
}

struct Outcome {
    int exitValue;
    std::vector<char> spool;
    std::string debugText;
    int requests;
};

Outcome walkServed(const std::vector<Variable>& table, int several, const std::optional<Variable>& stuck)
{
    FakeAgent agent;
    std::string why;
    EXPECT_TRUE(agent.start(tableScript(table, several, stuck), &why)) << why;
    tlco::sDEBUGmsg[0] = '\0';
    const int exitValue = walk();
    const auto* spool = reinterpret_cast<const char*>(&tlco::PlistForSpool);
    return {exitValue, {spool, spool + sizeof tlco::PlistForSpool}, tlco::sDEBUGmsg, agent.takeRequestCount()};
}

constexpr int kTooBig = 1;
constexpr int kGenErr = 5;
constexpr int kColumnByColumn = -1;

using DiscoveryRowWalkTest = AgentTest;

TEST_F(DiscoveryRowWalkTest, ARowAtATimeStoresWhatColumnByColumnStores)
{
    const std::string root = "1.3.6.1.4.1.51234.1.1.1.1.6.13.1.1";
    const struct {
        const char* name;
        std::vector<Variable> table;
        std::optional<Variable> stuck;
        int exitValue;
        int requests; // asked a row at a time; kColumnByColumn when the table must be read by column
    } cases[] = {
        {"500 rows, nothing after them", profileRows(1, 500), {}, 0, 502},
        // (The first walk of the process that counts no variable also asks for the root itself.)
        {"no table", {}, {}, 0, 1},
        {"500 rows, more after them", profileRows(1, 500) + std::vector<Variable>{{root + ".8.1.1", "integer", "8"}},
            {}, 0, 501},
        {"gaps in the row numbers", profileRows(1, 2) + profileRows(5, 5) + profileRows(9, 9), {}, 0, 6},
        {"683 rows", profileRows(1, 683), {}, 0, 501},
        {"wrong-typed columns",
            profileRows(1, 1) +
                std::vector<Variable>{{cell(1, 2), "integer", "2"}, {cell(2, 2), "string", "4"},
                    {cell(3, 2), "string", "Typed"}, {cell(4, 2), "integer", "7"}, {cell(5, 2), "string", "1"},
                    {cell(7, 2), "integer", "-1"}},
            {}, 0, 4},
        {"a row without an index", without(profileRows(1, 3), cell(1, 2)), {}, 0, kColumnByColumn},
        {"a column longer than the others", profileRows(1, 3) + std::vector<Variable>{{cell(7, 4), "integer", "1"}}, {},
            0, kColumnByColumn},
        {"column 6 and cells that are no rows",
            profileRows(1, 2) +
                std::vector<Variable>{{cell(6, 1), "string", "SIX.ICC"}, {root + ".4.7", "string", "S.ICC"}},
            {}, 0, kColumnByColumn},
        {"rows numbered 0 and beyond 500", profileRows(0, 0) + profileRows(500, 502), {}, 0, 3},
        {"OIDs that stop increasing", profileRows(1, 3), Variable{cell(3, 2), "string", "Again"}, 1, kColumnByColumn},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Outcome byColumn = walkServed(c.table, kTooBig, c.stuck);
        EXPECT_EQ(c.exitValue, byColumn.exitValue);
        for (int several : {0, kGenErr}) {
            const Outcome byRow = walkServed(c.table, several, c.stuck);
            EXPECT_EQ(byColumn.exitValue, byRow.exitValue) << several;
            EXPECT_TRUE(byColumn.spool == byRow.spool) << several;
            EXPECT_EQ(byColumn.debugText, byRow.debugText) << several;
            if (several == 0 && c.requests != kColumnByColumn) {
                EXPECT_EQ(c.requests, byRow.requests);
            }
        }
    }
}

} // namespace
