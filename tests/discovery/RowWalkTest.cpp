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

Outcome walkServed(const std::vector<Variable>& table, Refusal refusal, const std::optional<Variable>& stuck)
{
    FakeAgent agent;
    std::string why;
    EXPECT_TRUE(agent.start(tableScript(table, refusal, stuck), &why)) << why;
    tlco::sDEBUGmsg[0] = '\0';
    const int exitValue = walk();
    const auto* spool = reinterpret_cast<const char*>(&tlco::PlistForSpool);
    return {exitValue, {spool, spool + sizeof tlco::PlistForSpool}, tlco::sDEBUGmsg, agent.takeRequestCount()};
}

constexpr int kTooBig = 1;
constexpr int kGenErr = 5;
// An agent that takes only one variable at a time, asked column by column: what the walk stores.
constexpr Refusal kOneVariable{kTooBig, 1};
// Agents that take every request, only a row's, or only one variable.
constexpr Refusal kAgents[] = {{}, {kGenErr, 6}, {kGenErr, 1}};
constexpr int kColumnByColumn = -1;

using DiscoveryRowWalkTest = AgentTest;

TEST_F(DiscoveryRowWalkTest, ReadingByRowsStoresWhatColumnByColumnStores)
{
    const std::string root = "1.3.6.1.4.1.51234.1.1.1.1.6.13.1.1";
    const struct {
        const char* name;
        std::vector<Variable> table;
        std::optional<Variable> stuck;
        int exitValue;
        // Requests to an agent that takes two rows at once and to one that takes one row (its refusal
        // of two included); kColumnByColumn when the table does not line up.
        int requests[2];
    } cases[] = {
        {"500 rows, nothing after them", profileRows(1, 500), {}, 0, {252, 503}},
        // (The first walk of the process that counts no variable also asks for the root itself.)
        {"no table", {}, {}, 0, {1, 2}},
        {"500 rows, more after them", profileRows(1, 500) + std::vector<Variable>{{root + ".8.1.1", "integer", "8"}},
            {}, 0, {251, 502}},
        {"gaps in the row numbers", profileRows(1, 2) + profileRows(5, 5) + profileRows(9, 9), {}, 0, {5, 7}},
        {"683 rows", profileRows(1, 683), {}, 0, {251, 502}},
        {"wrong-typed columns",
            profileRows(1, 1) +
                std::vector<Variable>{{cell(1, 2), "integer", "2"}, {cell(2, 2), "string", "4"},
                    {cell(3, 2), "string", "Typed"}, {cell(4, 2), "integer", "7"}, {cell(5, 2), "string", "1"},
                    {cell(7, 2), "integer", "-1"}},
            {}, 0, {3, 5}},
        {"a row without an index", without(profileRows(1, 3), cell(1, 2)), {}, 0, {kColumnByColumn}},
        {"a column longer than the others", profileRows(1, 3) + std::vector<Variable>{{cell(7, 4), "integer", "1"}}, {},
            0, {kColumnByColumn}},
        {"column 6 and cells that are no rows",
            profileRows(1, 2) +
                std::vector<Variable>{{cell(6, 1), "string", "SIX.ICC"}, {root + ".4.7", "string", "S.ICC"}},
            {}, 0, {kColumnByColumn}},
        {"rows numbered 0 and beyond 500", profileRows(0, 0) + profileRows(500, 502), {}, 0, {3, 4}},
        {"OIDs that stop increasing", profileRows(1, 3), Variable{cell(3, 2), "string", "Again"}, 1, {kColumnByColumn}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Outcome byColumn = walkServed(c.table, kOneVariable, c.stuck);
        EXPECT_EQ(c.exitValue, byColumn.exitValue);
        for (size_t agent = 0; agent < std::size(kAgents); ++agent) {
            const Outcome byRows = walkServed(c.table, kAgents[agent], c.stuck);
            EXPECT_EQ(byColumn.exitValue, byRows.exitValue) << agent;
            EXPECT_TRUE(byColumn.spool == byRows.spool) << agent;
            EXPECT_EQ(byColumn.debugText, byRows.debugText) << agent;
            if (agent < 2 && c.requests[0] != kColumnByColumn) {
                EXPECT_EQ(c.requests[agent], byRows.requests) << agent;
            }
        }
    }
}

} // namespace
