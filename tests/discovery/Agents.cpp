// SPDX-License-Identifier: Apache-2.0
// Starting, watching and stopping the SNMP peers of the discovery tests, within bounded waits.
#include "Agents.h"

#include "support/HomeSandbox.h"
#include "support/TestPaths.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace disctest {

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr const char* kTableRoot = "1.3.6.1.4.1.51234.1.1.1.1.6.13.1.1";
// The subtree right after the table, to see the walk leave it.
constexpr const char* kSiblingRoot = "1.3.6.1.4.1.51234.1.1.1.1.6.13.1.2";
constexpr auto kStartBound = std::chrono::seconds(10);

struct TempFolders {
    std::vector<std::string> paths;
    ~TempFolders()
    {
        std::error_code ec;
        for (const auto& path : paths) fs::remove_all(path, ec);
    }
};

TempFolders& tempFolders()
{
    static TempFolders folders;
    return folders;
}

void writeFile(const std::string& path, const std::string& text)
{
    const std::string temp = path + ".new";
    {
        std::ofstream out(temp, std::ios::trunc | std::ios::binary);
        out << text;
    }
    std::rename(temp.c_str(), path.c_str());
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Lines of a request log; the log starts again.
int takeLines(const std::string& path)
{
    const std::string log = readFile(path);
    std::remove(path.c_str());
    return static_cast<int>(std::count(log.begin(), log.end(), '\n'));
}

// True once some socket listens on 127.0.0.1:port (UDP).
bool portBound(int port)
{
    char wanted[32];
    std::snprintf(wanted, sizeof wanted, "0100007F:%04X", port);
    std::ifstream udp("/proc/net/udp");
    std::string line;
    while (std::getline(udp, line))
        if (line.find(wanted) != std::string::npos) return true;
    return false;
}

bool waitForPort(int port, ChildProcess& process)
{
    const auto deadline = Clock::now() + kStartBound;
    while (Clock::now() < deadline) {
        if (portBound(port)) return true;
        if (process.exited()) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

std::string python()
{
    return ::access("/usr/bin/python3", X_OK) == 0 ? "/usr/bin/python3" : "python3";
}

std::string helperPath(const char* name)
{
    return testpaths::sourceDir() + "/tests/discovery/" + name;
}

} // namespace

std::string makeTempDir(const std::string& tag)
{
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/disc-" + tag + ".XXXXXX";
    if (!::mkdtemp(pattern.data())) return {};
    tempFolders().paths.push_back(pattern);
    return pattern;
}

int agentPort()
{
    static const int port = [] {
        const int chosen = testproc::freeLoopbackPort(SOCK_DGRAM);
        const std::string dir = makeTempDir("client");
        writeFile(dir + "/snmp.conf",
            "defaultPort " + std::to_string(chosen) +
                "\nmibs :\n"
                "# one retry keeps the time-out tests short\nretries 1\n");
        ::setenv("SNMPCONFPATH", dir.c_str(), 1);
        ::setenv("SNMP_PERSISTENT_DIR", dir.c_str(), 1);
        ::setenv("MIBS", "", 1);
        return chosen;
    }();
    return port;
}

std::string cell(int column, int row)
{
    return std::string(kTableRoot) + "." + std::to_string(column) + ".1." + std::to_string(row);
}

std::vector<Variable> profileRow(int row, const std::string& fileName, int location, int profileClass,
    const std::string& profileName, int availability)
{
    return {
        {cell(1, row), "integer", std::to_string(row)},
        {cell(2, row), "integer", std::to_string(location)},
        {cell(3, row), "string", profileName},
        {cell(4, row), "string", fileName},
        {cell(5, row), "integer", std::to_string(profileClass)},
        {cell(7, row), "integer", std::to_string(availability)},
    };
}

std::vector<Variable> profileRows(int first, int last)
{
    std::vector<Variable> table;
    for (int row = first; row <= last; ++row) {
        auto cells = profileRow(row, "P" + std::to_string(row) + ".ICC", 4, 1 + row % 3);
        table.insert(table.end(), cells.begin(), cells.end());
    }
    return table;
}

namespace {

std::string json(const Variable& v)
{
    return "[\"" + v.oid + "\", \"" + v.type + "\", \"" + v.value + "\"]";
}

} // namespace

std::string tableScript(
    const std::vector<Variable>& table, Refusal refusal, const std::optional<Variable>& stuck, double delay)
{
    std::string text = "{\"several\": " + std::to_string(refusal.several) +
        ", \"most\": " + std::to_string(refusal.most) + ", \"delay\": " + std::to_string(delay);
    text += ", \"table\": [";
    for (size_t i = 0; i < table.size(); ++i) text += (i ? ", " : "") + json(table[i]);
    text += "]";
    if (stuck) text += ", \"stuck\": " + json(*stuck);
    return text + "}";
}

Snmpd::Snmpd() : dir_(makeTempDir("snmpd"))
{
    setTable({});
}

Snmpd::~Snmpd()
{
    process_.stop();
}

void Snmpd::setTable(const std::vector<Variable>& variables)
{
    std::string text;
    for (const auto& variable : variables) text += variable.oid + " " + variable.type + " " + variable.value + "\n";
    writeFile(dir_ + "/table", text);
}

int Snmpd::takeRequestCount()
{
    return takeLines(dir_ + "/table.requests");
}

bool Snmpd::start(std::string* why)
{
    const int port = agentPort();
    const std::string helper = python() + " " + helperPath("profile_table.py") + " " + dir_ + "/table ";
    writeFile(dir_ + "/snmpd.conf",
        "agentAddress udp:127.0.0.1:" + std::to_string(port) + ",udp6:[::1]:" + std::to_string(port) +
            "\nrocommunity orchid 127.0.0.1\nrocommunity6 orchid ::1\n"
            "pass_persist ." +
            kTableRoot + " " + helper + kTableRoot + "\npass_persist ." + kSiblingRoot + " " + helper + kSiblingRoot +
            "\n");
    const bool started = process_.start({"/usr/sbin/snmpd", "-f", "-Lo", "-C", "-c", dir_ + "/snmpd.conf", "-p",
                                            dir_ + "/snmpd.pid", "-M", "/nonexistent", "-m", ""},
                             dir_ + "/snmpd.log", {"SNMP_PERSISTENT_DIR=" + dir_, "SNMPCONFPATH=" + dir_}) &&
        waitForPort(port, process_);
    if (!started && why) *why = readFile(dir_ + "/snmpd.log");
    return started;
}

bool FakeAgent::start(const std::string& script, std::string* why)
{
    dir_ = makeTempDir("fake");
    writeFile(dir_ + "/script.json", script);
    const int port = agentPort();
    const bool started =
        process_.start({python(), helperPath("fake_agent.py"), std::to_string(port), dir_ + "/script.json"},
            dir_ + "/agent.log") &&
        waitForPort(port, process_);
    if (!started && why) *why = readFile(dir_ + "/agent.log");
    return started;
}

int FakeAgent::takeRequestCount()
{
    return takeLines(dir_ + "/script.json.requests");
}

SilentAgent::SilentAgent()
{
    fd_ = ::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<uint16_t>(agentPort()));
    if (fd_ >= 0 && ::bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

SilentAgent::~SilentAgent()
{
    if (fd_ >= 0) ::close(fd_);
}

int SilentAgent::datagramsReceived()
{
    int count = 0;
    char buffer[2048];
    while (fd_ >= 0 && ::recv(fd_, buffer, sizeof buffer, 0) >= 0) ++count;
    return count;
}

void AgentTest::SetUp()
{
    homesandbox::reset();
    agentPort();
}

void AgentTest::startSnmpd(const std::vector<Variable>& table)
{
    snmpd_.setTable(table);
    std::string why;
    ASSERT_TRUE(snmpd_.start(&why)) << why;
}

void AgentTest::startFakeAgent(const std::string& script)
{
    std::string why;
    ASSERT_TRUE(fake_.start(script, &why)) << why;
}

} // namespace disctest
