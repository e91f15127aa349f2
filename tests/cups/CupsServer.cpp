// SPDX-License-Identifier: Apache-2.0
// Starting, asking and stopping the private cupsd, within bounded waits.
#include "CupsServer.h"

#include "support/Process.h"

#include <cups/cups.h>

#include <arpa/inet.h>
#include <fcntl.h>
#include <grp.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <thread>
#include <vector>

namespace cupstest {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr auto kStartBound = std::chrono::seconds(10);
constexpr int kAttempts = 3;
constexpr int kRequestMilliseconds = 10000;

bool accepts(int port)
{
    int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<uint16_t>(port));
    bool connected = fd >= 0 && ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    if (fd >= 0) ::close(fd);
    return connected;
}

// The lp group from the system's own file: the test process answers group look-ups from the sandbox.
std::optional<gid_t> lpGroup()
{
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen("/etc/group", "r"), std::fclose);
    if (!file) return std::nullopt;
    while (struct group* entry = ::fgetgrent(file.get()))
        if (std::string(entry->gr_name) == "lp") return entry->gr_gid;
    return std::nullopt;
}

void writeFile(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::trunc);
    out << text;
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string passwordLocations(const std::vector<std::string>& queues)
{
    std::string text;
    for (const std::string& queue : queues)
        text += "<Location /printers/" + queue + ">\n  AuthType Basic\n  Require valid-user\n</Location>\n";
    return text;
}

std::string cupsdConf(int port, const std::vector<std::string>& passwordQueues)
{
    return passwordLocations(passwordQueues) + "Listen 127.0.0.1:" + std::to_string(port) +
        "\n"
        "LogLevel warn\n"
        "Browsing Off\n"
        "WebInterface No\n"
        "DefaultAuthType None\n"
        "<Location />\n"
        "  Order allow,deny\n"
        "  Allow from 127.0.0.1\n"
        "</Location>\n"
        "<Policy default>\n"
        "  JobPrivateAccess all\n"
        "  JobPrivateValues none\n"
        "  SubscriptionPrivateAccess all\n"
        "  SubscriptionPrivateValues none\n"
        "  <Limit All>\n"
        "    Order deny,allow\n"
        "  </Limit>\n"
        "</Policy>\n";
}

std::string cupsFilesConf(const std::string& root)
{
    return "ServerRoot " + root + "/conf\n" + "RequestRoot " + root + "/spool\n" + "TempDir " + root + "/spool/tmp\n" +
        "CacheDir " + root + "/cache\n" + "StateDir " + root + "/state\n" + "ServerKeychain " + root + "/ssl\n" +
        "Printcap " + root + "/printcap\n" + "ErrorLog " + root + "/log/error_log\n" + "AccessLog " + root +
        "/log/access_log\n" + "PageLog " + root + "/log/page_log\n" +
        "User lp\n"
        "Group lp\n"
        "SystemGroup root\n"
        "FileDevice No\n";
}

struct HttpCloser {
    void operator()(http_t* http) const { httpClose(http); }
};
using Http = std::unique_ptr<http_t, HttpCloser>;
struct IppDeleter {
    void operator()(ipp_t* ipp) const { ippDelete(ipp); }
};

Http connectTo(int port)
{
    return Http(httpConnect2(
        "127.0.0.1", port, nullptr, AF_INET, HTTP_ENCRYPTION_IF_REQUESTED, 1, kRequestMilliseconds, nullptr));
}

// The values as sent, unescaped, so that option texts compare byte for byte.
std::string valueText(ipp_attribute_t* attribute)
{
    std::string text;
    for (int i = 0; i < ippGetCount(attribute); ++i) {
        if (i) text += ",";
        switch (ippGetValueTag(attribute)) {
        case IPP_TAG_BOOLEAN:
            text += ippGetBoolean(attribute, i) ? "true" : "false";
            break;
        case IPP_TAG_INTEGER:
            text += std::to_string(ippGetInteger(attribute, i));
            break;
        case IPP_TAG_ENUM:
            text += ippEnumString(ippGetName(attribute), ippGetInteger(attribute, i));
            break;
        default:
            if (const char* value = ippGetString(attribute, i, nullptr)) {
                text += value;
            } else {
                char other[1024];
                ippAttributeString(attribute, other, sizeof other);
                return other;
            }
        }
    }
    return text;
}

} // namespace

CupsServer::~CupsServer()
{
    cupsd_.stop();
    std::error_code ec;
    if (!root_.empty()) fs::remove_all(root_, ec);
}

bool CupsServer::start(std::string* why)
{
    auto fail = [&](std::string reason) {
        if (why) *why = reason + "\n" + log();
        return false;
    };
    if (::getuid() != 0) return fail("cupsd must be started as root to run its children as lp");
    auto lp = lpGroup();
    if (!lp) return fail("the system has no lp group");
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/cupsd-test.XXXXXX";
    if (!::mkdtemp(pattern.data())) return fail("cannot create a temporary folder");
    root_ = pattern;
    // lp must be able to pass through the tree to the folders cupsd gives it.
    ::chmod(root_.c_str(), 0755);
    for (const char* dir : {"conf", "spool", "spool/tmp", "cache", "state", "ssl", "log", "client"})
        ::mkdir((root_ + "/" + dir).c_str(), 0755);
    // Another process may take the chosen port before cupsd binds it: then again with a new one.
    std::string reason;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        if (launch(*lp, &reason)) {
            ::setenv("CUPS_SERVER", address_.c_str(), 1);
            // The clients' own folder: lpoptions written as root land here, not in /etc/cups.
            ::setenv("CUPS_SERVERROOT", (root_ + "/client").c_str(), 1);
            cupsSetServer(address_.c_str());
            return true;
        }
    }
    return fail(reason);
}

bool CupsServer::launch(gid_t lp, std::string* reason)
{
    port_ = testproc::freeLoopbackPort(SOCK_STREAM);
    if (port_ < 0) {
        *reason = "no free port";
        return false;
    }
    address_ = "127.0.0.1:" + std::to_string(port_);
    const std::string conf = root_ + "/conf/cupsd.conf";
    const std::string files = root_ + "/conf/cups-files.conf";
    writeFile(conf, cupsdConf(port_, passwordQueues_));
    writeFile(files, cupsFilesConf(root_));
    for (const std::string& path : {root_ + "/conf", conf, files}) {
        if (::chown(path.c_str(), 0, lp) != 0) {
            *reason = "cannot hand " + path + " to the lp group";
            return false;
        }
    }

    if (!cupsd_.start({"/usr/sbin/cupsd", "-f", "-c", conf, "-s", files}, root_ + "/log/output")) {
        *reason = "cannot start cupsd";
        return false;
    }
    const auto deadline = Clock::now() + kStartBound;
    while (Clock::now() < deadline) {
        if (accepts(port_)) return true;
        if (cupsd_.exited()) {
            *reason = "cupsd exited at start";
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    cupsd_.stop();
    *reason = "cupsd did not listen on " + address_ + " in time";
    return false;
}

std::string CupsServer::log() const
{
    if (root_.empty()) return {};
    return readFile(root_ + "/log/output") + readFile(root_ + "/log/error_log");
}

bool CupsServer::addQueue(
    const std::string& name, const std::string& deviceURI, const std::optional<std::string>& ppd, std::string* why)
{
    std::vector<std::string> argv = {"/usr/sbin/lpadmin", "-h", address_, "-p", name, "-E", "-v", deviceURI};
    if (ppd) {
        argv.insert(argv.end(), {"-P", *ppd});
    } else {
        argv.insert(argv.end(), {"-m", "raw"});
    }
    auto result = testproc::run(argv, {}, {"LD_PRELOAD="}, 30);
    if (result.status != 0 && why) *why = "lpadmin: " + result.err + "\n" + log();
    return result.status == 0;
}

bool CupsServer::changeQueue(const std::string& name, const std::vector<std::string>& arguments, std::string* why)
{
    std::vector<std::string> argv = {"/usr/sbin/lpadmin", "-h", address_, "-p", name};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    auto result = testproc::run(argv, {}, {"LD_PRELOAD="}, 30);
    if (result.status != 0 && why) *why = "lpadmin: " + result.err;
    return result.status == 0;
}

bool CupsServer::rejectJobs(const std::string& name, std::string* why)
{
    auto result = testproc::run({"/usr/sbin/cupsreject", "-h", address_, name}, {}, {"LD_PRELOAD="}, 30);
    if (result.status != 0 && why) *why = "cupsreject: " + result.err;
    return result.status == 0;
}

std::optional<std::map<std::string, std::string>> CupsServer::jobAttributes(int job, std::string* why) const
{
    Http http = connectTo(port_);
    if (!http) {
        if (why) *why = "cannot connect to " + address_;
        return std::nullopt;
    }
    ipp_t* request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
    const std::string uri = "ipp://" + address_ + "/jobs/" + std::to_string(job);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri.c_str());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr, "all");
    std::unique_ptr<ipp_t, IppDeleter> response(cupsDoRequest(http.get(), request, "/"));
    if (!response || ippGetStatusCode(response.get()) > IPP_STATUS_OK_CONFLICTING) {
        if (why) *why = std::string("Get-Job-Attributes: ") + cupsLastErrorString();
        return std::nullopt;
    }
    std::map<std::string, std::string> attributes;
    for (ipp_attribute_t* attribute = ippFirstAttribute(response.get()); attribute;
         attribute = ippNextAttribute(response.get())) {
        if (ippGetGroupTag(attribute) != IPP_TAG_JOB || !ippGetName(attribute)) continue;
        attributes[ippGetName(attribute)] = valueText(attribute);
    }
    return attributes;
}

std::string CupsServer::documentFile(int job, int n) const
{
    char name[32];
    std::snprintf(name, sizeof name, "/spool/d%05d-%03d", job, n);
    return root_ + name;
}

int CupsServer::jobCount(const std::string& name) const
{
    Http http = connectTo(port_);
    if (!http) return -1;
    cups_job_t* jobs = nullptr;
    int count = cupsGetJobs2(http.get(), &jobs, name.c_str(), 0, CUPS_WHICHJOBS_ALL);
    cupsFreeJobs(count, jobs);
    return count;
}

} // namespace cupstest
