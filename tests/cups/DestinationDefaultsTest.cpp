// SPDX-License-Identifier: Apache-2.0
// What CUPS says about a queue reaches the panel: queue defaults, lpoptions, the ticket and -o in
// that order; --print sends what the summary shows; a server that never answers is named as such.
#include "../host/HostRun.h"
#include "CupsServer.h"

#include "support/HomeSandbox.h"
#include "support/Process.h"
#include "support/TestPaths.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;
using cupstest::CupsServer;

constexpr const char* kQueue = "zq4410";

using hostrun::printdialog;
using HostRun = hostrun::Run;

void writeText(const std::string& path, const std::string& text)
{
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path, std::ios::trunc) << text;
}

// A ticket whose top level and saved printer dictionary may disagree, as a hand-edited one does.
std::string ticket(const std::string& saved, const std::string& topLevel)
{
    std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n<dict>\n"
                       "<key>job-hold-until</key><string>indefinite</string>\n";
    if (!topLevel.empty()) text += "<key>TLQuickColor</key><string>" + topLevel + "</string>\n";
    if (!saved.empty())
        text += std::string("<key>zq4410</key><dict><key>") + kQueue + "</key><dict><key>TLQuickColor</key><string>" +
            saved + "</string></dict></dict>\n";
    return text + "</dict>\n</plist>\n";
}

class DestinationDefaultsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        homesandbox::reset();
        work_ = homesandbox::home() + "/work";
        fs::create_directories(work_);
        std::string why;
        ASSERT_TRUE(server_.start(&why)) << why;
        ASSERT_TRUE(server_.addQueue(kQueue, "usb://TESSALUMA/zq4410", testpaths::ppd("zq4410.ppd"), &why)) << why;
    }

    CupsServer server_;
    std::string work_;
};

TEST_F(DestinationDefaultsTest, EachSourceOverridesTheOnesBelowIt)
{
    struct Case {
        const char* name;
        const char* queueDefault; // lpadmin -o TLQuickColor-default=
        const char* lpoptions;    // ~/.cups/lpoptions TLQuickColor=
        const char* saved;        // the ticket's saved value for the queue
        const char* commandLine;  // -o TLQuickColor=
        const char* shown;
    };
    const Case cases[] = {
        {"PPD default", "", "", "", "", "Standard"},
        {"queue default", "Photo", "", "", "", "Photo"},
        {"lpoptions over the queue", "Photo", "Vivid", "", "", "Vivid"},
        {"ticket over lpoptions", "Photo", "Vivid", "Standard", "", "Standard"},
        {"-o over everything", "Photo", "Vivid", "Standard", "photo", "Photo"},
    };
    const std::string ticketPath = work_ + "/ticket.plist";
    const std::string lpoptions = homesandbox::home() + "/.cups/lpoptions";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string why;
        const std::string queueDefault = *c.queueDefault ? c.queueDefault : "Standard";
        ASSERT_TRUE(server_.changeQueue(kQueue, {"-o", "TLQuickColor-default=" + queueDefault}, &why)) << why;
        writeText(lpoptions,
            *c.lpoptions ? std::string("Dest zq4410 TLEconoMode=True TLQuickColor=") + c.lpoptions + "\n"
                         : std::string("Dest zq4410 TLEconoMode=True\n"));
        writeText(ticketPath, ticket(c.saved, ""));
        std::vector<std::string> arguments = {"--queue", kQueue, "--ticket", ticketPath};
        if (*c.commandLine) arguments.insert(arguments.end(), {"-o", std::string("TLQuickColor=") + c.commandLine});

        HostRun run = printdialog(arguments, "panelView\nrestore\nsummary\n");

        ASSERT_EQ(0, run.result.status) << run.result.err;
        auto values = run.last("summary")["values"];
        EXPECT_EQ(c.shown, values["Quick Color"]);
        EXPECT_EQ("On", values["EconoMode"]) << "lpoptions";
    }
}

TEST_F(DestinationDefaultsTest, PrintSendsWhatTheSummaryShows)
{
    struct Case {
        const char* name;
        std::vector<std::string> arguments;
        const char* shown;
        const char* sent;
    };
    const Case cases[] = {
        {"hand-edited top level", {}, "Standard", "Standard"},
        {"-o", {"-o", "TLQuickColor=Photo"}, "Photo", "Photo"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string ticketPath = work_ + "/ticket.plist";
        const std::string document = work_ + "/page.txt";
        writeText(ticketPath, ticket("Standard", "Vivid"));
        writeText(document, "A page.\n");
        std::vector<std::string> arguments = {"--queue", kQueue, "--ticket", ticketPath, "--print", document};
        arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());

        HostRun run = printdialog(arguments, "panelView\nrestore\nsummary\n");

        ASSERT_EQ(0, run.result.status) << run.result.err;
        EXPECT_EQ(c.shown, run.last("summary")["values"]["Quick Color"]);
        ASSERT_TRUE(run.last("job").is_number_integer()) << run.result.out;
        std::string why;
        auto job = server_.jobAttributes(run.last("job").get<int>(), &why);
        ASSERT_TRUE(job) << why;
        EXPECT_EQ(c.sent, (*job)["TLQuickColor"]);
    }
}

TEST_F(DestinationDefaultsTest, UnknownChoiceNamesTheValidOnesAndWritesNothing)
{
    const std::string ticketPath = work_ + "/ticket.plist";
    const std::string before = ticket("Photo", "");
    writeText(ticketPath, before);
    struct Case {
        const char* option;
        const char* reason;
    };
    const Case cases[] = {
        {"TLQuickColor=Neon",
            "TLQuickColor has no choice Neon; its choices are Standard, Photo, Vivid, CustomSettings"},
        {"TLSparkle=On", "the printer has no such option; its options are "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.option);
        HostRun run =
            printdialog({"--queue", kQueue, "--ticket", ticketPath, "-o", c.option}, "panelView\nrestore\nsave\n");

        EXPECT_EQ(1, run.result.status);
        EXPECT_NE(std::string::npos, run.result.err.find(c.reason)) << run.result.err;
        EXPECT_EQ(1, std::count(run.result.err.begin(), run.result.err.end(), '\n')) << run.result.err;
        std::ifstream in(ticketPath);
        EXPECT_EQ(before, std::string(std::istreambuf_iterator<char>(in), {}));
    }
}

// A CUPS server that answers its first `answers` requests with a printer named like the queue and
// takes every later one without ever answering.
class StallingServer {
public:
    explicit StallingServer(int answers) : answersLeft_(answers)
    {
        listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            ::listen(listener_, 16) != 0 ||
            ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0)
            return;
        name_ = "127.0.0.1:" + std::to_string(ntohs(address.sin_port));
        thread_ = std::thread([this] { serve(); });
    }
    ~StallingServer()
    {
        ::shutdown(listener_, SHUT_RDWR);
        if (thread_.joinable()) thread_.join();
        for (int client : clients_) ::close(client);
        ::close(listener_);
    }

    const std::string& name() const { return name_; }

private:
    void serve()
    {
        for (int client; (client = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC)) >= 0;) {
            clients_.push_back(client);
            while (answersLeft_ > 0 && answerOne(client)) --answersLeft_;
        }
    }

    // Reads one HTTP request with its IPP body and answers it; false when the client went away.
    static bool answerOne(int client)
    {
        std::string request;
        char buffer[4096];
        size_t headerEnd = std::string::npos;
        for (ssize_t got; headerEnd == std::string::npos && (got = ::recv(client, buffer, sizeof buffer, 0)) > 0;) {
            request.append(buffer, static_cast<size_t>(got));
            headerEnd = request.find("\r\n\r\n");
        }
        if (headerEnd == std::string::npos) return false;
        const size_t lengthAt = request.find("Content-Length: ");
        const size_t bodyLength = lengthAt < headerEnd ? std::stoul(request.substr(lengthAt + 16)) : 0;
        if (request.find("Expect: 100-continue") < headerEnd)
            ::send(client, "HTTP/1.1 100 Continue\r\n\r\n", 25, MSG_NOSIGNAL);
        for (ssize_t got;
             request.size() < headerEnd + 4 + bodyLength && (got = ::recv(client, buffer, sizeof buffer, 0)) > 0;)
            request.append(buffer, static_cast<size_t>(got));
        if (request.size() < headerEnd + 4 + 8) return false;
        const std::string body = printerResponse(request.substr(headerEnd + 4 + 4, 4));
        const std::string answer =
            "HTTP/1.1 200 OK\r\nContent-Type: application/ipp\r\nContent-Length: " + std::to_string(body.size()) +
            "\r\n\r\n" + body;
        return ::send(client, answer.data(), answer.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(answer.size());
    }

    // IPP 2.0, successful-ok, the request's ID, and printer-name in the printer group.
    static std::string printerResponse(const std::string& requestId)
    {
        auto attribute = [](char tag, const std::string& name, const std::string& value) {
            return std::string(1, tag) + char(0) + char(name.size()) + name + char(0) + char(value.size()) + value;
        };
        return std::string("\x02\x00\x00\x00", 4) + requestId + "\x01" +
            attribute('\x47', "attributes-charset", "utf-8") + attribute('\x48', "attributes-natural-language", "en") +
            "\x04" + attribute('\x42', "printer-name", kQueue) + "\x03";
    }

    int listener_ = -1;
    int answersLeft_;
    std::string name_;
    std::vector<int> clients_;
    std::thread thread_;
};

// A server that never answers, and one that answers the queue lookup and then falls silent: the
// limit ends the wait, with that reason (the second used to wait for ever).
TEST_F(DestinationDefaultsTest, SilentServerEndsAtTheLimitWithThatReason)
{
    for (int answers : {0, 1}) {
        StallingServer server(answers);
        ASSERT_FALSE(server.name().empty());
        const auto start = std::chrono::steady_clock::now();
        HostRun run = printdialog(
            {"--queue", kQueue, "--timeout", "1"}, "panelView\n", {"CUPS_SERVER=" + server.name(), "LC_ALL=C"});
        const auto took = std::chrono::steady_clock::now() - start;

        EXPECT_EQ(1, run.result.status) << answers << " answers";
        EXPECT_EQ("printdialog: the CUPS server at " + server.name() + " did not answer within 1 s\n", run.result.err)
            << answers << " answers";
        EXPECT_LT(took, std::chrono::milliseconds(answers == 0 ? 2500 : 5000)) << answers << " answers";
    }
}

} // namespace
