// SPDX-License-Identifier: Apache-2.0
// SNMP peers for the discovery tests, on 127.0.0.1 (snmpd also on ::1): snmpd serving a profile table through a
// pass_persist helper, a scripted SNMPv1 peer for what snmpd will not send, and a silent socket.
// The walk reaches them through net-snmp's own configuration (a defaultPort in SNMPCONFPATH).
#pragma once

#include "support/ChildProcess.h"

#include <gtest/gtest.h>

#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

namespace disctest {

// The port every agent of this process listens on. The first call writes the client's snmp.conf
// and points SNMPCONFPATH at it; call it before the first walk of the process.
int agentPort();

struct Variable {
    std::string oid;  // dotted
    std::string type; // pass_persist type name: integer, string, ... (fake agent: also endOfMibView)
    std::string value;
};

// OID of column `column` in row `row` of the printer's profile table.
std::string cell(int column, int row);
// The six variables of one printer profile row.
std::vector<Variable> profileRow(int row, const std::string& fileName, int location, int profileClass,
    const std::string& profileName = "Profile", int availability = 1);

// How the fake agent serving a table answers a request for more than `most` variables: with the
// error status `several`, or (0) as any other.
struct Refusal {
    int several = 0;
    int most = 1;
};

// The fake agent's script serving `table` (see fake_agent.py); from `stuck` on, every variable is
// answered with that one; `delay` seconds before each answer.
std::string tableScript(const std::vector<Variable>& table, Refusal refusal = {},
    const std::optional<Variable>& stuck = std::nullopt, double delay = 0);

// Rows first to last of printer profiles named P<row>.ICC.
std::vector<Variable> profileRows(int first, int last);

using testproc::ChildProcess;

class Snmpd {
public:
    Snmpd();
    ~Snmpd();
    // Replaces the table the agent serves; takes effect with the next request.
    void setTable(const std::vector<Variable>& variables);
    // False with the agent's log in `why` when it did not come up in time.
    bool start(std::string* why);
    // Requests the table helper has answered so far; counting starts again from 0.
    int takeRequestCount();
    // Frees the port for another agent.
    void stop() { process_.stop(); }

private:
    std::string dir_;
    ChildProcess process_;
};

class FakeAgent {
public:
    // script: the JSON list of responses, or the table it serves (see fake_agent.py).
    bool start(const std::string& script, std::string* why);
    // Requests answered so far; counting starts again from 0.
    int takeRequestCount();

private:
    std::string dir_;
    ChildProcess process_;
};

// A socket on the agent port that never answers; counts what arrives.
class SilentAgent {
public:
    SilentAgent();
    ~SilentAgent();
    bool bound() const { return fd_ >= 0; }
    int datagramsReceived();

private:
    int fd_ = -1;
};

// A test against SNMP peers: a fresh sandbox home, the agent port set up, and snmpd or the scripted
// peer started on demand.
class AgentTest : public ::testing::Test {
protected:
    void SetUp() override;
    void startSnmpd(const std::vector<Variable>& table);
    void startFakeAgent(const std::string& script);

    Snmpd snmpd_;
    FakeAgent fake_;
};

// A fresh temporary folder, removed with the process's other test folders at exit.
std::string makeTempDir(const std::string& tag);

} // namespace disctest
