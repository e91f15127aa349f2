// SPDX-License-Identifier: Apache-2.0
// printdialog on a CUPS queue, end to end: a private cupsd with queues made by lpadmin from the
// sample PPD, jobs held on the server and their attributes read back over IPP.
#include "CupsServer.h"

#include "cf/Dictionary.h"
#include "cf/File.h"
#include "cf/PropertyList.h"
#include "cf/String.h"
#include "discovery/Agents.h"
#include "discovery/ProfileFiles.h"
#include "support/HomeSandbox.h"
#include "support/Process.h"
#include "support/SmallDisk.h"
#include "support/TestPaths.h"

#include <cups/ppd.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <thread>

#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace {

namespace fs = std::filesystem;
using cupstest::CupsServer;

constexpr const char* kLpdQueue = "zq4410";
constexpr const char* kUsbQueue = "zq4410usb";
constexpr const char* kPasswordQueue = "zqa";
constexpr const char* kProfilePath = "/ata1a/data/USfiles/Profiles/PROF1.ICC";

// The test's own printing must never leave the server: the job waits on hold.
constexpr const char* kHeldTicket =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" \"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
    "<plist version=\"1.0\">\n<dict>\n\t<key>job-hold-until</key>\n\t<string>indefinite</string>\n</dict>\n</plist>\n";

std::string nibbles(const std::string& text)
{
    std::string out;
    for (unsigned char byte : text) {
        out += static_cast<char>(48 + (byte >> 4));
        out += static_cast<char>(48 + (byte & 15));
    }
    return out;
}

std::string lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

// CUPS sends an option valued True or False as an IPP boolean; every other value as it was given.
bool sameOption(const std::string& ticketValue, const std::string& jobValue)
{
    if (jobValue == ticketValue) return true;
    return (jobValue == "true" || jobValue == "false") && lower(ticketValue) == jobValue;
}

std::optional<std::string> readBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void writeBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

cf::DictionaryRef readTicket(const std::string& path)
{
    auto bytes = cf::File::read(path);
    return bytes ? cf::as<cf::Dictionary>(cf::PropertyList::createFromData(*bytes)) : nullptr;
}

// The keyword of a choice of the sample PPD, by its place in the option.
class SamplePpd {
public:
    SamplePpd() : ppd_(ppdOpenFile(testpaths::ppd("zq4410.ppd").c_str()), ppdClose) { }
    std::string choice(const char* keyword, int index) const
    {
        ppd_option_t* option = ppd_ ? ppdFindOption(ppd_.get(), keyword) : nullptr;
        if (!option || index < 0 || index >= option->num_choices) return "<no choice " + std::to_string(index) + ">";
        return option->choices[index].choice;
    }
    int count(const char* keyword) const
    {
        ppd_option_t* option = ppd_ ? ppdFindOption(ppd_.get(), keyword) : nullptr;
        return option ? option->num_choices : -1;
    }

private:
    std::unique_ptr<ppd_file_t, void (*)(ppd_file_t*)> ppd_;
};

struct HostRun {
    testproc::Result result;
    std::vector<nlohmann::json> answers;
    std::optional<int> job() const
    {
        for (const auto& answer : answers)
            if (answer.contains("job") && answer["job"].is_number_integer()) return answer["job"].get<int>();
        return std::nullopt;
    }
    int lines(const std::string& text) const { return static_cast<int>(std::count(text.begin(), text.end(), '\n')); }
};

class PrintThroughQueueTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        homesandbox::reset();
        work_ = homesandbox::home() + "/work";
        fs::create_directories(work_);
        ticket_ = work_ + "/ticket.plist";
        document_ = work_ + "/page.txt";
        writeBytes(document_, "A page for the zq4410.\n");
        std::string why;
        server_.requirePassword(kPasswordQueue);
        ASSERT_TRUE(server_.start(&why)) << why;
        ASSERT_TRUE(server_.addQueue(kLpdQueue, "lpd://127.0.0.1/queue", testpaths::ppd("zq4410.ppd"), &why)) << why;
        ASSERT_TRUE(server_.addQueue(kUsbQueue, "usb://TESSALUMA/zq4410", testpaths::ppd("zq4410.ppd"), &why)) << why;
        ASSERT_TRUE(server_.addQueue(kPasswordQueue, "usb://TESSALUMA/zq4410", testpaths::ppd("zq4410.ppd"), &why))
            << why;
    }

    HostRun printdialog(
        std::vector<std::string> arguments, const std::string& script, std::vector<std::string> environment = {})
    {
        std::vector<std::string> argv = {testpaths::printdialog(), "--json", "--script", "-"};
        argv.insert(argv.end(), arguments.begin(), arguments.end());
        environment.push_back("LC_ALL=C");
        HostRun run;
        run.result = testproc::run(argv, script, environment);
        for (const auto& line : testproc::jsonLines(run.result.out)) run.answers.push_back(nlohmann::json::parse(line));
        return run;
    }

    // Every string at the ticket's top level stands in the job as an option of the same value.
    void expectJobCarriesTicket(const std::map<std::string, std::string>& job, const cf::DictionaryRef& ticket)
    {
        ASSERT_TRUE(ticket);
        int options = 0;
        for (const auto& [key, value] : ticket->stringEntries()) {
            auto text = cf::as<cf::String>(value);
            if (!text) continue;
            ++options;
            auto found = job.find(key);
            if (found == job.end()) {
                ADD_FAILURE() << "the job lacks " << key;
                continue;
            }
            EXPECT_TRUE(sameOption(text->utf8(), found->second))
                << key << ": ticket " << text->utf8() << ", job " << found->second;
        }
        EXPECT_GT(options, 27) << "every keyword of the panel, its flags and the hold";
    }

    CupsServer server_;
    SamplePpd ppd_;
    std::string work_;
    std::string ticket_;
    std::string document_;
};

TEST_F(PrintThroughQueueTest, QueueIsTheDialogsPrinter)
{
    const std::string temp = work_ + "/tmp";
    fs::create_directories(temp);

    HostRun run =
        printdialog({"--queue", kUsbQueue, "--ticket", ticket_}, "panelView\nrestore\ndump\n", {"TMPDIR=" + temp});

    ASSERT_EQ(0, run.result.status) << run.result.err;
    ASSERT_FALSE(run.answers.empty());
    const auto& state = run.answers.back()["state"];
    EXPECT_EQ(nlohmann::json::object(), state["ticket"]["zq4410"][kUsbQueue]) << "keyed by the queue's name";
    auto items = state["controls"]["menu_iRGBSource"]["items"];
    ASSERT_EQ(ppd_.count("TLImageRGBSource"), static_cast<int>(items.size())) << "the choices of the fetched PPD";
    EXPECT_TRUE(fs::is_empty(temp)) << "the fetched PPD is removed at exit";
}

TEST_F(PrintThroughQueueTest, HeldJobCarriesMainOptionsAndAPrinterProfile)
{
    disctest::agentPort();
    disctest::Snmpd snmpd;
    snmpd.setTable(disctest::profileRow(1, "PROF1.ICC", tlco::kLocationDisk, 1, "Office"));
    std::string why;
    ASSERT_TRUE(snmpd.start(&why)) << why;
    disctest::Lists lists;
    disctest::add(
        *lists.rgb, disctest::item(1, tlco::kStatePrinterPresentShown, "PROF1.ICC", tlco::kLocationDisk, 1, "Office"));
    disctest::writeLists(lists);
    writeBytes(ticket_, kHeldTicket);
    const int profileItem = ppd_.count("TLImageRGBSource");

    HostRun run = printdialog({"--queue", kLpdQueue, "--ticket", ticket_, "--print", document_},
        "panelView\n"
        "restore\n"
        "select menu_Brightness 3\n"
        "check check_ColorSeparation on\n"
        "select menu_QuickColor 3\n"
        "click button_AdvanceColorOptions\n"
        "tab tab_SwitchVew 0\n"
        "select menu_iRGBSource " +
            std::to_string(profileItem) +
            "\n"
            "select menu_iHalftone 2\n"
            "click button_HideAdvancedOptions\n"
            "save\n");

    ASSERT_EQ(0, run.result.status) << run.result.err;
    ASSERT_TRUE(run.job()) << run.result.out;
    auto job = server_.jobAttributes(*run.job(), &why);
    ASSERT_TRUE(job) << why;
    auto& attributes = *job;
    EXPECT_EQ("pending-held", attributes["job-state"]);
    EXPECT_EQ("indefinite", attributes["job-hold-until"]);
    EXPECT_EQ("page.txt", attributes["document-name-supplied"]);
    EXPECT_EQ(ppd_.choice("TLBrightness", 3), attributes["TLBrightness"]);
    EXPECT_EQ("true", attributes["TLColorSeparation"]);
    EXPECT_EQ(ppd_.choice("TLQuickColor", 3), attributes["TLQuickColor"]);
    EXPECT_EQ(ppd_.choice("TLImageHalftone", 2), attributes["TLImageHalftone"]);
    EXPECT_EQ(ppd_.choice("TLImageRGBSource", 0), attributes["TLImageRGBSource"]) << "a profile names the first choice";
    EXPECT_EQ("true", attributes["TLImageRGBSourceCustom"]);
    EXPECT_EQ(nibbles(kProfilePath), attributes["TLImageRGBSourceCustomFilename"]);
    EXPECT_EQ("false", attributes["TLTextRGBSourceCustom"]);
    expectJobCarriesTicket(attributes, readTicket(ticket_));
}

TEST_F(PrintThroughQueueTest, HeldJobCarriesThePresetsChoices)
{
    writeBytes(ticket_, kHeldTicket);

    HostRun run = printdialog({"--queue", kUsbQueue, "--ticket", ticket_, "--print", document_},
        "panelView\n"
        "restore\n"
        "select menu_QuickColor 2\n"
        "check check_EconomyPrint on\n"
        "check check_ColorAsGrayscale on\n"
        "save\n");

    ASSERT_EQ(0, run.result.status) << run.result.err;
    ASSERT_TRUE(run.job()) << run.result.out;
    std::string why;
    auto job = server_.jobAttributes(*run.job(), &why);
    ASSERT_TRUE(job) << why;
    auto& attributes = *job;
    EXPECT_EQ(ppd_.choice("TLQuickColor", 2), attributes["TLQuickColor"]);
    EXPECT_EQ("true", attributes["TLEconoMode"]);
    EXPECT_EQ("true", attributes["TLColorAsGray"]);
    // The preset reaches the advanced options only when the job is printed.
    EXPECT_EQ(ppd_.choice("TLImageHalftone", 2), attributes["TLImageHalftone"]);
    EXPECT_EQ(ppd_.choice("TLImageEdgeEnhance", 0), attributes["TLImageEdgeEnhance"]) << "EconoMode";
    EXPECT_EQ(ppd_.choice("TLTextEdgeEnhance", 1), attributes["TLTextEdgeEnhance"]);
    EXPECT_EQ(ppd_.choice("TLGraphicsEdgeEnhance", 0), attributes["TLGraphicsEdgeEnhance"]) << "EconoMode";
    EXPECT_EQ(ppd_.choice("TLImageRGBSource", 1), attributes["TLImageRGBSource"]);
    EXPECT_EQ("false", attributes["TLImageRGBSourceCustom"]);
    expectJobCarriesTicket(attributes, readTicket(ticket_));
}

TEST_F(PrintThroughQueueTest, DeviceUriDecidesWhetherThePrintersTableIsWalked)
{
    disctest::agentPort();
    disctest::Snmpd snmpd;
    snmpd.setTable(disctest::profileRow(1, "PROF2.ICC", tlco::kLocationDisk, 1, "Walked"));
    std::string why;
    ASSERT_TRUE(snmpd.start(&why)) << why;

    struct Case {
        const char* queue;
        bool walked;
    };
    for (const Case& c : {Case{kLpdQueue, true}, Case{kUsbQueue, false}}) {
        SCOPED_TRACE(c.queue);
        disctest::Lists lists;
        disctest::add(*lists.rgb, disctest::item(1, tlco::kStateUserShown, "MINE.ICC"));
        disctest::writeLists(lists);
        const auto before = readBytes(disctest::profileListPath());

        HostRun run = printdialog({"--queue", c.queue}, "panelView\n");

        ASSERT_EQ(0, run.result.status) << run.result.err;
        disctest::Lists after = disctest::readLists();
        if (c.walked) {
            const tlco::ProfileItem* walked = disctest::find(*after.rgb, "PROF2.ICC");
            ASSERT_NE(nullptr, walked);
            EXPECT_EQ(tlco::kStatePrinterPresent, walked->iInMenu);
        } else {
            EXPECT_EQ(before, readBytes(disctest::profileListPath()));
        }
    }
}

TEST_F(PrintThroughQueueTest, QueueThatCannotBeHadIsAOneLineError)
{
    std::string why;
    ASSERT_TRUE(server_.addQueue("rawq", "lpd://127.0.0.1/raw", std::nullopt, &why)) << why;
    struct Case {
        const char* name;
        std::string queue;
        std::string server;
        std::string reason;
    };
    const std::vector<Case> cases = {
        {"unknown queue", "nosuchqueue", server_.address(), "no CUPS queue named nosuchqueue"},
        {"unreachable server", kLpdQueue, "127.0.0.1:1", "cannot connect to the CUPS server 127.0.0.1:1"},
        {"queue without a PPD", "rawq", server_.address(), "CUPS queue rawq has no PPD"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeBytes(ticket_, kHeldTicket);

        HostRun run = printdialog({"--queue", c.queue, "--ticket", ticket_, "--print", document_}, "panelView\nsave\n",
            {"CUPS_SERVER=" + c.server});

        EXPECT_EQ(1, run.result.status);
        EXPECT_EQ(1, run.lines(run.result.err)) << run.result.err;
        EXPECT_NE(std::string::npos, run.result.err.find(c.reason)) << run.result.err;
        EXPECT_TRUE(run.answers.empty()) << run.result.out;
        EXPECT_EQ(kHeldTicket, readBytes(ticket_));
    }
    EXPECT_EQ(0, server_.jobCount(kLpdQueue));
}

TEST_F(PrintThroughQueueTest, DocumentThatCannotBePrintedLeavesTheTicket)
{
    std::string why;
    ASSERT_TRUE(server_.rejectJobs(kUsbQueue, &why)) << why;
    const std::string unreadable = work_ + "/unreadable.txt";
    writeBytes(unreadable, "secret\n");
    ::chmod(unreadable.c_str(), 0);
    const std::string empty = work_ + "/empty.txt";
    writeBytes(empty, "");

    struct Case {
        const char* name;
        std::string queue;
        std::string file;
        std::string reason;
    };
    std::vector<Case> cases = {
        {"missing file", kLpdQueue, work_ + "/missing.txt", "cannot read " + work_ + "/missing.txt"},
        {"folder", kLpdQueue, work_, "cannot print " + work_ + ": not a regular file"},
        {"empty file", kLpdQueue, empty, "cannot print " + empty + ": it is empty"},
        {"queue refusing jobs", kUsbQueue, document_, "CUPS queue " + std::string(kUsbQueue) + " refused the job"},
    };
    // Root reads any file whatever its mode; only another user meets a closed file.
    if (::access(unreadable.c_str(), R_OK) != 0)
        cases.push_back({"closed file", kLpdQueue, unreadable, "cannot read " + unreadable});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeBytes(ticket_, kHeldTicket);

        HostRun run = printdialog({"--queue", c.queue, "--ticket", ticket_, "--print", c.file},
            "panelView\nrestore\ncheck check_ColorAsGrayscale on\nsave\n");

        EXPECT_EQ(1, run.result.status);
        EXPECT_EQ(1, run.lines(run.result.err)) << run.result.err;
        EXPECT_NE(std::string::npos, run.result.err.find(c.reason)) << run.result.err;
        EXPECT_FALSE(run.job());
        EXPECT_EQ(kHeldTicket, readBytes(ticket_));
        EXPECT_EQ(0, server_.jobCount(c.queue));
    }
}

} // namespace

// The server asks for a password: said in one line, and no terminal prompt waits without a limit.
TEST_F(PrintThroughQueueTest, AQueueThatAsksForAPasswordIsSaidSo)
{
    HostRun run = printdialog({"--queue", kPasswordQueue}, "panelView\n");
    EXPECT_EQ(1, run.result.status);
    EXPECT_EQ("printdialog: the CUPS server asks for a password for queue zqa\n", run.result.err);
}

// cupsd goes away while the document streams: the reason is the connection's, not a stale "Success".
TEST_F(PrintThroughQueueTest, AServerThatDiesWhileADocumentStreamsIsTheReasonGiven)
{
    const std::string big = work_ + "/big.txt";
    writeBytes(big, "A long document.\n");
    fs::resize_file(big, 1u << 30);
    writeBytes(ticket_, kHeldTicket);
    HostRun run;
    std::thread dialog([&] { run = printdialog({"--queue", kUsbQueue, "--ticket", ticket_, "--print", big}, ""); });
    // The upload has begun once cupsd holds a part of the document in a file of its own.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    auto receiving = [&] {
        for (const auto& entry : fs::recursive_directory_iterator(server_.spoolFolder()))
            if (entry.is_regular_file() && entry.file_size() > (1u << 20)) return true;
        return false;
    };
    while (!receiving() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    server_.kill();
    dialog.join();
    EXPECT_EQ(1, run.result.status);
    EXPECT_EQ(1, run.lines(run.result.err)) << run.result.err;
    EXPECT_NE(std::string::npos, run.result.err.find("cannot send " + big + " to CUPS queue")) << run.result.err;
    EXPECT_EQ(std::string::npos, run.result.err.find("Success")) << run.result.err;
}

TEST_F(PrintThroughQueueTest, DocumentFromStandardInput)
{
    // An application's print command: the document on standard input, the script in a file.
    const std::string script = work_ + "/script";
    writeBytes(script, "panelView\nrestore\nselect menu_QuickColor 2\nsave\n");
    const std::string fullTmp = work_ + "/tmp";
    fs::create_directories(fullTmp);
    struct Case {
        const char* name;
        std::string input;
        std::string tmp; // TMPDIR; "" leaves it unset
        bool fullDisk;
        int status;
        std::string error;
    };
    const std::string page = "A page from an application.\n";
    for (const Case& c :
        {Case{"a page", page, "", false, 0, ""},
            Case{"nothing", "", "", false, 1, "printdialog: cannot print standard input: it is empty\n"},
            Case{"missing TMPDIR", page, work_ + "/gone", false, 1,
                "printdialog: cannot keep a copy of standard input in " + work_ + "/gone: No such file or directory\n"},
            Case{"full TMPDIR", std::string(1 << 20, 'x'), fullTmp, true, 1,
                "printdialog: cannot keep a copy of standard input in " + fullTmp + ": No space left on device\n"}}) {
        SCOPED_TRACE(c.name);
        if (c.fullDisk && !testproc::SmallDisk::unavailableReason().empty()) continue;
        const std::vector<std::string> argv = {testpaths::printdialog(), "--json", "--script", script, "--queue",
            kUsbQueue, "--ticket", ticket_, "--print", "-"};
        std::vector<std::string> environment = {"LC_ALL=C"};
        if (!c.tmp.empty()) environment.push_back("TMPDIR=" + c.tmp);
        testproc::Result result = c.fullDisk ? testproc::SmallDisk{c.tmp}.run(argv, c.input, environment)
                                             : testproc::run(argv, c.input, environment);
        EXPECT_EQ(c.status, result.status) << result.err;
        if (c.status != 0) {
            EXPECT_EQ(c.error, result.err);
            continue;
        }
        HostRun run;
        for (const auto& line : testproc::jsonLines(result.out)) run.answers.push_back(nlohmann::json::parse(line));
        ASSERT_TRUE(run.job()) << result.out;
        std::string why;
        auto job = server_.jobAttributes(*run.job(), &why);
        ASSERT_TRUE(job) << why;
        EXPECT_EQ(ppd_.choice("TLQuickColor", 2), (*job)["TLQuickColor"]);
    }
}
