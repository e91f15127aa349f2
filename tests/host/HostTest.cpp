// printdialog's command line, script language, exit statuses and ticket file.
#include "HostRun.h"

#include "cf/Dictionary.h"
#include "cf/File.h"
#include "cf/PropertyList.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;
using hostrun::printdialog;

namespace {

std::string tempPath(const std::string& name) { return ::testing::TempDir() + "/" + name; }

TEST(Host, AnswersThePanelProtocol)
{
    auto run = printdialog({}, "panelKind\npanelName\nsupportedPPDOptionKeys\nshouldHide\nPPDOptionKeyValueDidChange TLQuickColor Custom\nterminate\n");
    ASSERT_EQ(run.result.status, 0) << run.result.err;
    ASSERT_EQ(run.answers.size(), 6u);
    EXPECT_EQ(run.answers[0]["panelKind"], "jp.tessaluma.pde.zq4410.tlco");
    EXPECT_EQ(run.answers[1]["panelName"], "Color Options");
    auto keys = run.answers[2]["supportedPPDOptionKeys"];
    ASSERT_EQ(keys.size(), 27u);
    EXPECT_EQ(keys.front(), "TLImageRGBSource");
    EXPECT_EQ(keys.back(), "TLEdgeType");
    EXPECT_EQ(run.answers[3]["result"], true);
}

TEST(Host, SpeaksJapaneseUnderAJapaneseLocale)
{
    auto run = printdialog({}, "panelName\npanelView\nrestore\ndump\n", {"LC_ALL=C.UTF-8", "LANGUAGE=ja"});
    ASSERT_EQ(run.result.status, 0) << run.result.err;
    EXPECT_EQ(run.answers[0]["panelName"], "カラーオプション");
    auto controls = run.state()["controls"];
    EXPECT_NE(controls["check_ColorAsGrayscale"]["title"], "Color as Grayscale");
    EXPECT_NE(controls["tab_SwitchVew"]["items"][0], "Image");
}

TEST(Host, DefaultSequencePrintsThePanel)
{
    homesandbox::home();
    auto result = testproc::run({testpaths::printdialog()}, "", {"LC_ALL=C"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_NE(result.out.find("Color Options (main view)"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("menu_QuickColor: pop-up"), std::string::npos);
    EXPECT_NE(result.out.find("Summary:"), std::string::npos);
    EXPECT_NE(result.out.find("  Color as Grayscale: "), std::string::npos);
}

struct Failure {
    const char* name;
    std::vector<std::string> args;
    const char* script;
    int status;
    const char* message;
};

class HostFailure : public ::testing::TestWithParam<Failure> {};

TEST_P(HostFailure, ExitsWithTheDocumentedStatusAndLeavesTheTicket)
{
    const Failure& c = GetParam();
    std::string ticket = tempPath(std::string("ticket-") + c.name + ".plist");
    fs::remove(ticket);
    std::vector<std::string> args = c.args;
    args.insert(args.end(), {"--ticket", ticket});
    auto run = printdialog(args, c.script);
    EXPECT_EQ(run.result.status, c.status) << run.result.err;
    EXPECT_NE(run.result.err.find(c.message), std::string::npos) << run.result.err;
    EXPECT_EQ(run.result.err.rfind("printdialog: ", 0), 0u) << "one reason line first";
    EXPECT_FALSE(fs::exists(ticket));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HostFailure,
    ::testing::Values(
        Failure{"unknown_command", {}, "panelView\nrestore\nsave\nfrobnicate\n", 2, "line 4: unknown command frobnicate"},
        Failure{"no_such_id", {}, "panelView\nselect menu_Nothing 0\n", 2, "line 2: no control named menu_Nothing"},
        Failure{"wrong_kind", {}, "panelView\ncheck menu_QuickColor on\n", 2, "line 2: menu_QuickColor is not a check box"},
        Failure{"bad_index", {}, "panelView\nselect menu_QuickColor 9\n", 2, "line 2: menu_QuickColor has no item 9"},
        Failure{"bad_state", {}, "panelView\ncheck check_EconomyPrint maybe\n", 2, "line 2: check takes on or off"},
        Failure{"missing_ppd", {"--ppd", "/nonexistent.ppd"}, "panelView\n", 1, "cannot open PPD /nonexistent.ppd"},
        Failure{"missing_bundle", {"--bundle", "/nonexistent"}, "panelView\n", 1, "no bundle at /nonexistent"},
        Failure{"bad_argument", {"--frobnicate"}, "", 2, "unknown argument: --frobnicate"},
        Failure{"print_without_queue", {"--print", "/etc/hostname"}, "", 2, "--print needs --queue"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Host, ScriptErrorLeavesAnExistingTicketUntouched)
{
    std::string ticket = tempPath("ticket-kept.plist");
    auto first = printdialog({"--ticket", ticket}, "restore\nsave\n");
    ASSERT_EQ(first.result.status, 0) << first.result.err;
    std::ifstream before(ticket);
    std::string content((std::istreambuf_iterator<char>(before)), {});
    auto second = printdialog({"--ticket", ticket}, "restore\ncheck check_ColorAsGrayscale on\nsave\nnonsense\n");
    EXPECT_EQ(second.result.status, 2);
    std::ifstream after(ticket);
    EXPECT_EQ(content, std::string((std::istreambuf_iterator<char>(after)), {}));
}

TEST(Host, TicketRoundTripsBetweenRuns)
{
    std::string ticket = tempPath("ticket-roundtrip.plist");
    fs::remove(ticket);
    auto first = printdialog({"--ticket", ticket}, "panelView\nrestore\ncheck check_ColorAsGrayscale on\nsave\n");
    ASSERT_EQ(first.result.status, 0) << first.result.err;

    auto bytes = cf::File::read(ticket);
    ASSERT_TRUE(bytes);
    auto root = cf::as<cf::Dictionary>(cf::PropertyList::createFromData(*bytes));
    ASSERT_TRUE(root);
    auto model = cf::as<cf::Dictionary>(cf::as<cf::Dictionary>(root->get("zq4410"))->get("zq4410_virtual"));
    ASSERT_TRUE(model);
    EXPECT_EQ(model->getString("TLColorAsGray")->utf8(), "True");
    EXPECT_EQ(root->getString("TLColorAsGray")->utf8(), "True");

    auto second = printdialog({"--ticket", ticket}, "panelView\nrestore\ndump\n");
    ASSERT_EQ(second.result.status, 0) << second.result.err;
    EXPECT_EQ(second.state()["controls"]["check_ColorAsGrayscale"]["state"], 1);
}

TEST(Host, ABrokenTicketFileIsRefused)
{
    std::string ticket = tempPath("ticket-broken.plist");
    std::ofstream(ticket) << "not a property list";
    auto run = printdialog({"--ticket", ticket}, "panelView\n");
    EXPECT_EQ(run.result.status, 1);
    EXPECT_NE(run.result.err.find("is not a property-list dictionary"), std::string::npos);
}

TEST(Host, SessionWithoutPrinterWritesNoPanelOption)
{
    auto run = printdialog({"--no-printer"}, "panelView\nrestore\ncheck check_ColorAsGrayscale on\nsave\ndump\n");
    ASSERT_EQ(run.result.status, 0) << run.result.err;
    auto ticket = run.state()["ticket"];
    EXPECT_FALSE(ticket.contains("TLColorAsGray"));
    EXPECT_EQ(ticket["zq4410"], nlohmann::json::object());
}

TEST(Host, PrinterQueuesKeepSeparateModelDictionaries)
{
    std::string ticket = tempPath("ticket-queues.plist");
    fs::remove(ticket);
    auto a = printdialog({"--ticket", ticket, "--printer-id", "queueA"},
                         "panelView\nrestore\ncheck check_EconomyPrint on\nsave\n");
    ASSERT_EQ(a.result.status, 0) << a.result.err;
    auto b = printdialog({"--ticket", ticket, "--printer-id", "queueB"}, "panelView\nrestore\nsave\ndump\n");
    ASSERT_EQ(b.result.status, 0) << b.result.err;
    auto t = b.state()["ticket"];
    EXPECT_EQ(t["zq4410"]["queueA"]["TLEconoMode"], "True");
    EXPECT_EQ(t["zq4410"]["queueB"]["TLEconoMode"], "False");
    EXPECT_EQ(t["TLEconoMode"], "False"); // the last synchronisation wins at the top level
}

} // namespace
