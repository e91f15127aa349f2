// SPDX-License-Identifier: Apache-2.0
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

std::string tempPath(const std::string& name)
{
    // Each run of the suite (plain and through the window) has a home of its own.
    return homesandbox::home() + "/" + name;
}

TEST(Host, AnswersThePanelProtocol)
{
    auto run = printdialog({},
        "panelKind\npanelName\nsupportedPPDOptionKeys\nshouldHide\nPPDOptionKeyValueDidChange TLQuickColor "
        "Custom\nterminate\n");
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

// Labels come from the bundle's catalogues, choice texts from the PPD's translation strings, both
// following LANGUAGE as gettext does; the plain C locale keeps the keys and the PPD's own texts.
TEST(Host, SummaryFollowsTheLanguage)
{
    struct Case {
        std::vector<std::string> environment;
        const char* title;
        const char* value;
    };
    for (const Case& c : {Case{{"LC_ALL=C.UTF-8", "LANGUAGE=ja"}, "クイックカラー", "標準"},
             Case{{"LC_ALL=C.UTF-8", "LANGUAGE=en"}, "Quick Color", "Standard"},
             Case{{"LC_ALL=", "LANGUAGE=", "LANG=ja_JP.UTF-8"}, "クイックカラー", "標準"},
             Case{{"LC_ALL=C", "LANGUAGE=ja"}, "Quick Color", "Standard"}}) {
        SCOPED_TRACE(c.environment.back());
        auto run = printdialog({}, "panelView\nrestore\nsummary\n", c.environment);
        ASSERT_EQ(run.result.status, 0) << run.result.err;
        auto summary = run.last("summary");
        EXPECT_EQ(summary["order"][0], c.title);
        EXPECT_EQ(summary["values"][c.title], c.value);
        EXPECT_EQ(summary["values"].size(), 27u);
    }
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

class HostFailure : public ::testing::TestWithParam<Failure> { };

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

INSTANTIATE_TEST_SUITE_P(Cases, HostFailure,
    ::testing::Values(Failure{"unknown_command", {}, "panelView\nrestore\nsave\nfrobnicate\n", 2,
                          "line 4: unknown command frobnicate"},
        Failure{"no_such_id", {}, "panelView\nselect menu_Nothing 0\n", 2, "line 2: no control named menu_Nothing"},
        Failure{"before_panel_view", {}, "# no view yet\ncheck check_EconomyPrint on\n", 2,
            "line 2: no control named check_EconomyPrint yet: run panelView first"},
        Failure{
            "wrong_kind", {}, "panelView\ncheck menu_QuickColor on\n", 2, "line 2: menu_QuickColor is not a check box"},
        Failure{"bad_index", {}, "panelView\nselect menu_QuickColor 9\n", 2, "line 2: menu_QuickColor has no item 9"},
        Failure{"bad_state", {}, "panelView\ncheck check_EconomyPrint maybe\n", 2, "line 2: check takes on or off"},
        Failure{"missing_ppd", {"--ppd", "/nonexistent.ppd"}, "panelView\n", 1, "cannot open PPD /nonexistent.ppd"},
        Failure{"missing_bundle", {"--bundle", "/nonexistent"}, "panelView\n", 1, "no bundle at /nonexistent"},
        Failure{"bad_argument", {"--frobnicate"}, "", 2, "unknown argument: --frobnicate"},
        Failure{"print_without_queue", {"--print", "/etc/hostname"}, "", 2, "--print needs --queue"},
        Failure{"missing_document", {"zq4410"}, "", 1, "cannot read zq4410"},
        Failure{"bad_timeout", {"--timeout", "soon"}, "", 2, "--timeout takes a whole number of seconds"},
        Failure{"unknown_choice", {"-o", "TLBrightness=Max"}, "panelView\nrestore\nsave\n", 1,
            "-o TLBrightness=Max: TLBrightness has no choice Max; its choices are Minus2, Minus1, Normal, Plus1, "
            "Plus2"},
        Failure{"disabled_control", {"-o", "TLColorAsGray", "-o", "TLColorSeparation"}, "panelView\nrestore\nsave\n", 1,
            "-o TLColorSeparation=True: the panel does not let TLColorSeparation change now"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Host, OwnMessagesFollowTheLanguage)
{
    struct Case {
        const char* name;
        std::vector<std::string> args;
        const char* script;
        const char* japanese;
        const char* plain;
    };
    for (const Case& c : {Case{"choice", {"-o", "TLQuickColor=Neon"}, "", "TLQuickColor に選択肢 Neon はありません",
                              "TLQuickColor has no choice Neon"},
             Case{"command", {}, "panelView\nfrobnicate\n", "2 行目: 不明なコマンド frobnicate",
                 "line 2: unknown command frobnicate"},
             Case{"control", {}, "panelView\nselect menu_Nothing 0\n", "コントロール menu_Nothing はありません",
                 "no control named menu_Nothing"},
             Case{"kind", {}, "panelView\ncheck menu_QuickColor on\n",
                 "menu_QuickColor はチェックボックスではありません", "menu_QuickColor is not a check box"},
             Case{"arguments", {}, "click\n", "click の引数は 1 個です", "click takes 1 argument(s)"},
             Case{"pane choice", {}, "set number-up 3\n", "number-up に選択肢 3 はありません",
                 "number-up has no choice 3"},
             Case{"page list", {"-P", "3-1"}, "", "3-1 はページ指定ではありません", "3-1 is not a page list"}}) {
        SCOPED_TRACE(c.name);
        auto japanese = printdialog(c.args, c.script, {"LC_ALL=C.UTF-8", "LANGUAGE=ja"});
        EXPECT_NE(japanese.result.status, 0);
        EXPECT_NE(japanese.result.err.find(c.japanese), std::string::npos) << japanese.result.err;
        auto plain = printdialog(c.args, c.script, {"LC_ALL=C", "LANGUAGE=ja"});
        EXPECT_NE(plain.result.err.find(c.plain), std::string::npos) << plain.result.err;
    }
}

// The profile window's title is a key that is no English word; the C locale alone shows the key.
TEST(Host, ProfileWindowTitleIsWordsUnlessTheLocaleIsC)
{
    struct Case {
        std::vector<std::string> environment;
        const char* title;
    };
    for (const Case& c : {Case{{"LC_ALL=C", "LANGUAGE=en"}, "ProfileTitle"},
             Case{{"LC_ALL=", "LANGUAGE=", "LANG=en_US.UTF-8"}, "Profile Management"},
             Case{{"LC_ALL=C.UTF-8", "LANGUAGE=ja"}, "プロファイルの管理"}}) {
        SCOPED_TRACE(c.environment.back());
        auto run = printdialog({}, "panelView\nrestore\nclick button_ManageProfile\ndump\n", c.environment);
        ASSERT_EQ(run.result.status, 0) << run.result.err;
        EXPECT_EQ(run.state()["window"]["title"], c.title);
    }
}

TEST(Host, HelpNamesEveryOptionAndCommand)
{
    homesandbox::home();
    auto help = testproc::run({testpaths::printdialog(), "--help"}, "", {"LC_ALL=C"});
    ASSERT_EQ(help.status, 0) << help.err;
    for (const char* word : {"--queue", "--ppd", "--printer-id", "--device-uri", "--no-printer", "--ticket", "--script",
             "--json", "--print", "-o NAME=VALUE", "--timeout", "--gui", "--bundle", "--help", "--version", "panelView",
             "panelName", "panelKind", "supportedPPDOptionKeys", "willShow", "shouldHide", "save", "restore", "summary",
             "PPDOptionKeyValueDidChange", "(default 10)", "shouldPrint", "terminate", "select menu_", "check check_",
             "click button_", "tab tab_", "type _", "paste _", "clear _", "row _", "tick _", "answer-open", "dump",
             "screenshot", "Examples:", "-d NAME", "-n COPIES", "-P PAGES", "-t TITLE", "-H WHEN", "-q PRIORITY",
             "FILE|-", "set copies", "pane Layout", "jobOptions", "preset-save", "preset-default"})
        EXPECT_NE(help.out.find(word), std::string::npos) << word;
    auto version = testproc::run({testpaths::printdialog(), "--version"}, "", {"LC_ALL=C"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("printdialog ", 0), 0u) << version.out;
}

// -o acts as the person's choice after restore: the preset of Quick Color runs, and a later restore
// chooses it again over the ticket's saved value.
TEST(Host, CommandLineChoicesAreChosenAfterEveryRestore)
{
    auto run = printdialog({"-o", "TLQuickColor=Vivid", "-o", "noTLColorSeparation", "-o", "PageSize=A5"},
        "panelView\nrestore\nselect menu_QuickColor 0\nsave\nrestore\nsummary\ndump\n");
    ASSERT_EQ(run.result.status, 0) << run.result.err;
    auto values = run.last("summary")["values"];
    EXPECT_EQ(values["Quick Color"], "Vivid");
    EXPECT_EQ(values["Color Separation"], "Off");
    EXPECT_EQ(values["Image RGB Intent"], "Saturation (Vivid)") << "the Vivid preset ran";
    EXPECT_EQ(run.state()["dialog"]["options"]["PageSize"]["value"], "A5") << "chosen in Paper Handling";
}

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
    auto a = printdialog(
        {"--ticket", ticket, "--printer-id", "queueA"}, "panelView\nrestore\ncheck check_EconomyPrint on\nsave\n");
    ASSERT_EQ(a.result.status, 0) << a.result.err;
    auto b = printdialog({"--ticket", ticket, "--printer-id", "queueB"}, "panelView\nrestore\nsave\ndump\n");
    ASSERT_EQ(b.result.status, 0) << b.result.err;
    auto t = b.state()["ticket"];
    EXPECT_EQ(t["zq4410"]["queueA"]["TLEconoMode"], "True");
    EXPECT_EQ(t["zq4410"]["queueB"]["TLEconoMode"], "False");
    EXPECT_EQ(t["TLEconoMode"], "False"); // the last synchronisation wins at the top level
}

} // namespace
