// SPDX-License-Identifier: Apache-2.0
// The dialog's own panes through the script and the command line, on the sample printer.
#include "HostRun.h"

#include "cf/Dictionary.h"
#include "cf/File.h"
#include "cf/PropertyList.h"
#include "cf/String.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;
using hostrun::printdialog;

namespace {

struct Refusal {
    const char* name;
    std::vector<std::string> args;
    const char* script;
    int status;
    const char* reason;
};

class PaneRefusal : public ::testing::TestWithParam<Refusal> { };

TEST_P(PaneRefusal, ExitsNamingWhatIsValidAndWritesNothing)
{
    const Refusal& c = GetParam();
    const std::string ticket = homesandbox::home() + "/refused-" + c.name + ".plist";
    fs::remove(ticket);
    std::vector<std::string> args = c.args;
    args.insert(args.end(), {"--ticket", ticket});
    auto run = printdialog(args, c.script);
    EXPECT_EQ(c.status, run.result.status) << run.result.err;
    EXPECT_NE(std::string::npos, run.result.err.find(c.reason)) << run.result.err;
    EXPECT_FALSE(fs::exists(ticket));
}

INSTANTIATE_TEST_SUITE_P(Cases, PaneRefusal,
    ::testing::Values(Refusal{"claimed_key", {}, "panelView\nset TLQuickColor Photo\n", 2,
                          "line 2: TLQuickColor belongs to the Color Options pane"},
        Refusal{"unknown_name", {}, "set sparkle on\n", 2, "line 1: the dialog's panes have no option sparkle"},
        Refusal{"unknown_value", {}, "set number-up 3\n", 2,
            "number-up has no choice 3; its choices are 1, 2, 4, 6, 9, 16"},
        Refusal{"conflicting_value", {}, "set Duplex DuplexNoTumble\nset MediaType Transparency\n", 2,
            "line 2: MediaType=Transparency conflicts with the other choices; the pane offers Plain, Thick"},
        Refusal{"copies_out_of_range", {}, "set copies 10000\n", 2, "copies takes a whole number from 1 to 9999"},
        Refusal{"set_page_list", {}, "set page-ranges 3-1\n", 2, "3-1 is not a page list"},
        Refusal{"no_pane", {}, "pane Finishing\n", 2,
            "no pane named Finishing; the panes are Copies & Pages, Layout, Paper Handling, Color Options, Printer "
            "Features, Job"},
        Refusal{"n_zero", {"-n", "0"}, "", 1, "-n 0: copies are a whole number from 1 to 9999"},
        Refusal{"q_too_high", {"-q", "101"}, "", 1, "-q 101: a priority is a whole number from 1 to 100"},
        Refusal{"h_word", {"-H", "tomorrow"}, "", 1, "-H tomorrow is not a time to print"},
        Refusal{"h_bad_clock", {"-H", "24:00"}, "", 1, "-H 24:00 is not a time to print"},
        Refusal{"o_pane_value", {"-o", "sides=three-sided"}, "", 1,
            "-o sides=three-sided: Duplex has no choice three-sided; its choices are None, DuplexNoTumble, "
            "DuplexTumble"},
        Refusal{"o_unknown", {"-o", "sparkle=on"}, "", 1, "-o sparkle=on: the printer has no such option"}),
    [](const auto& info) { return std::string(info.param.name); });

// lp's page lists: pages and ranges from 1 up, ascending, without overlap; refused at once.
TEST(PaneScript, PageListsAreCheckedAtOnce)
{
    struct Case {
        const char* given;
        const char* taken; // null: refused
    };
    for (const Case& c :
        {Case{"1-3,7", "1-3,7"}, Case{"5-", "5-"}, Case{"2, 4-6", "2,4-6"}, Case{"all", ""}, Case{"0", nullptr},
            Case{"3-1", nullptr}, Case{"2,1", nullptr}, Case{"1-3,3", nullptr}, Case{"1,,2", nullptr},
            Case{"1,", nullptr}, Case{"5-,7", nullptr}, Case{"a-b", nullptr}, Case{"-3", nullptr}}) {
        SCOPED_TRACE(c.given);
        auto run = printdialog({"-P", c.given}, "restore\ndump\n");
        if (!c.taken) {
            EXPECT_EQ(1, run.result.status);
            EXPECT_NE(std::string::npos, run.result.err.find("is not a page list")) << run.result.err;
            continue;
        }
        ASSERT_EQ(0, run.result.status) << run.result.err;
        EXPECT_EQ(c.taken, run.state()["dialog"]["options"]["page-ranges"]["value"]);
    }
}

TEST(PaneScript, PrinterFeaturesNeverShowAKeyThePanelClaims)
{
    auto run = printdialog({}, "supportedPPDOptionKeys\ndump\n");
    ASSERT_EQ(0, run.result.status) << run.result.err;
    auto options = run.state()["dialog"]["options"];
    for (const auto& key : run.last("supportedPPDOptionKeys")) EXPECT_FALSE(options.contains(key)) << key;
    for (const char* feature : {"Resolution", "TLOutputBin", "TLTonerSave"}) EXPECT_TRUE(options.contains(feature));
    EXPECT_FALSE(options.contains("PageRegion"));
}

// What a choice in one pane does to the others: conflicting choices leave the offer, options that
// mean nothing now are disabled.
TEST(PaneScript, ChoicesShapeWhatTheOtherOptionsOffer)
{
    auto run = printdialog({}, "dump\nset number-up 4\nset Duplex DuplexNoTumble\nset copies 2\ndump\n");
    ASSERT_EQ(0, run.result.status) << run.result.err;
    auto before = run.answers.front()["state"]["dialog"]["options"];
    auto after = run.state()["dialog"]["options"];
    EXPECT_EQ(nlohmann::json({"Plain", "Thick", "Transparency"}), before["MediaType"]["choices"]);
    EXPECT_EQ(nlohmann::json({"Plain", "Thick"}), after["MediaType"]["choices"]);
    for (const char* name : {"number-up-layout", "page-border", "collate"}) {
        EXPECT_FALSE(before[name]["enabled"]) << name;
        EXPECT_TRUE(after[name]["enabled"]) << name;
    }
}

// A switch of the panes takes what lp takes for yes and no: -o NAME, -o noNAME, True, yes, on.
TEST(PaneScript, SwitchesTakeLpsWordsForYesAndNo)
{
    auto run = printdialog({"-o", "collate", "-o", "nomirror", "-o", "fit-to-page=True"},
        "restore\ndump\nset mirror on\nset collate No\ndump\n");
    ASSERT_EQ(0, run.result.status) << run.result.err;
    auto first = run.answers[1]["state"]["dialog"]["options"];
    EXPECT_EQ("true", first["collate"]["value"]);
    EXPECT_EQ("false", first["mirror"]["value"]);
    EXPECT_EQ("true", first["fit-to-page"]["value"]);
    auto then = run.state()["dialog"]["options"];
    EXPECT_EQ("true", then["mirror"]["value"]);
    EXPECT_EQ("false", then["collate"]["value"]);
}

TEST(PaneScript, JobOptionsAreTheChangedChoicesAndTheTicketsEntries)
{
    auto run = printdialog({"-n", "2", "-t", "Monthly figures"},
        "panelView\nrestore\nset orientation-requested 4\nset Resolution 1200dpi\nset job-sheets standard\n"
        "set page-set odd\nsave\njobOptions\n");
    ASSERT_EQ(0, run.result.status) << run.result.err;
    auto options = run.last("jobOptions");
    EXPECT_EQ("2", options["copies"]);
    EXPECT_EQ("Monthly figures", options["job-name"]);
    EXPECT_EQ("4", options["orientation-requested"]);
    EXPECT_EQ("1200dpi", options["Resolution"]);
    EXPECT_EQ("standard", options["job-sheets"]);
    EXPECT_EQ("odd", options["page-set"]);
    EXPECT_EQ("Standard", options["TLQuickColor"]);
    for (const char* unchanged : {"number-up", "PageSize", "collate", "job-priority", "job-hold-until"})
        EXPECT_FALSE(options.contains(unchanged)) << unchanged;
}

TEST(PaneScript, PrintingOnTheSamplePrinterWritesTheSettingsAndSaysWhere)
{
    const std::string document = homesandbox::home() + "/page.txt";
    std::ofstream(document) << "A page.\n";
    const std::string ticket = homesandbox::home() + "/sample-print.plist";
    fs::remove(ticket);
    auto run = printdialog({"--ticket", ticket, "-n", "3", document}, "panelView\nrestore\npane Layout\ndump\n");
    ASSERT_EQ(0, run.result.status) << run.result.err;
    EXPECT_EQ(ticket, run.last("settings"));
    EXPECT_TRUE(run.last("job").is_null());
    EXPECT_EQ("Layout", run.state()["dialog"]["pane"]);
    auto bytes = cf::File::read(ticket);
    ASSERT_TRUE(bytes);
    auto settings = cf::as<cf::Dictionary>(cf::PropertyList::createFromData(*bytes));
    ASSERT_TRUE(settings);
    auto copies = cf::as<cf::String>(settings->get("copies"));
    ASSERT_TRUE(copies);
    EXPECT_EQ("3", copies->utf8());
}

} // namespace

namespace {

// A person reading Japanese names a pane by its title; scripts keep the English names.
TEST(PaneScript, PanesAreNamedByTheirTitlesToo)
{
    auto run = printdialog({}, "panelView\npane レイアウト\ndump\npane Job\ndump\n", {"LC_ALL=C.UTF-8", "LANGUAGE=ja"});
    ASSERT_EQ(0, run.result.status) << run.result.err;
    EXPECT_EQ("Layout", run.answers[1]["state"]["dialog"]["pane"]);
    EXPECT_EQ("Job", run.state()["dialog"]["pane"]);
    EXPECT_EQ("カラーオプション", run.state()["dialog"]["panes"][3]);
}

} // namespace
