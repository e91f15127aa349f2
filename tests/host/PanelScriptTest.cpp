// SPDX-License-Identifier: Apache-2.0
// The panel driven as a person and a dialog drive it: defaults, constraints, presets and summary.
#include "HostRun.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using hostrun::printdialog;

namespace {

const std::vector<std::string> kAdvancedPopUps = {"menu_iRGBSource", "menu_iRGBIntent", "menu_iRGBGrayTreatment",
    "menu_iDestinationProfile", "menu_iHalftone", "menu_iEdgeEnhancement", "menu_tRGBSource", "menu_tRGBIntent",
    "menu_tRGBGrayTreatment", "menu_tDestinationProfile", "menu_tHalftone", "menu_tEdgeEnhancement", "menu_gRGBSource",
    "menu_gRGBIntent", "menu_gRGBGrayTreatment", "menu_gDestinationProfile", "menu_gHalftone", "menu_gEdgeEnhancement",
    "menu_sSimulationProfile", "menu_sMatchPaperColor", "menu_sCMYKGrayTreatment"};

const std::vector<std::string> kAdvancedTitles = {"Image RGB Source", "Image RGB Intent", "Image RGB Gray Treatment",
    "Image Destination Profile", "Image Halftone", "Image EdgeEnhance", "Text RGB Source", "Text RGB Intent",
    "Text RGB Gray Treatment", "Text Destination Profile", "Text Halftone", "Text EdgeEnhance", "Graphics RGB Source",
    "Graphics RGB Intent", "Graphics RGB Gray Treatment", "Graphics Destination Profile", "Graphics Halftone",
    "Graphics EdgeEnhance", "Simulation Profile", "Match Paper Color", "CMYK Gray Treatment"};

bool enabled(const nlohmann::json& state, const std::string& id)
{
    return state["controls"][id]["enabled"];
}

TEST(PanelScript, RestoreOfAFreshTicketGivesThePPDDefaults)
{
    auto run = printdialog({}, "panelView\nrestore\ndump\n");
    ASSERT_EQ(run.result.status, 0) << run.result.err;
    auto state = run.state();
    EXPECT_EQ(state["shownView"], "main");
    EXPECT_EQ(state["ticket"]["zq4410"]["zq4410_virtual"], nlohmann::json::object());
    auto controls = state["controls"];
    EXPECT_EQ(controls["menu_QuickColor"]["selected"], 0);
    EXPECT_EQ(controls["menu_Brightness"]["selected"], 2);
    EXPECT_EQ(controls["menu_EdgeStrength"]["selected"], 1);
    EXPECT_EQ(controls["check_ColorAsGrayscale"]["state"], 0);
    EXPECT_EQ(controls["menu_iRGBSource"]["selected"], 1);
    EXPECT_EQ(controls["tab_SwitchVew"]["tab"], 0);
    EXPECT_EQ(controls["tab_SwitchVew"]["items"], nlohmann::json({"Image", "Text", "Graphics", "Simulation"}));
    EXPECT_EQ(controls["text_QuickColor"]["text"], "Quick Color:");
    EXPECT_EQ(controls["button_HideAdvancedOptions"]["title"], "Hide Advanced Options");
}

TEST(PanelScript, SummaryShowsDisplayTextsInOrder)
{
    auto run = printdialog(
        {}, "panelView\nrestore\ncheck check_ColorAsGrayscale on\nsummary\nselect menu_QuickColor 3\nsummary\n");
    ASSERT_EQ(run.result.status, 0) << run.result.err;
    auto first = run.answers[2]["summary"];
    std::vector<std::string> main = {
        "Quick Color", "Brightness", "Color as Grayscale", "Color Separation", "EconoMode", "EdgeType"};
    for (size_t i = 0; i < main.size(); ++i) EXPECT_EQ(first["order"][i], main[i]);
    EXPECT_NE(first["values"]["Color as Grayscale"], "True");
    EXPECT_NE(first["values"]["Color as Grayscale"], first["values"]["EconoMode"]);
    auto custom = run.answers[3]["summary"];
    ASSERT_EQ(custom["order"].size(), 27u);
    for (size_t i = 0; i < kAdvancedTitles.size(); ++i) EXPECT_EQ(custom["order"][6 + i], kAdvancedTitles[i]);
}

TEST(PanelScript, AdvancedOptionsOpenOnlyWithCustom)
{
    auto run = printdialog({},
        "panelView\nrestore\ndump\nclick button_AdvanceColorOptions\ndump\n"
        "select menu_QuickColor 3\ndump\nclick button_AdvanceColorOptions\ndump\n"
        "click button_HideAdvancedOptions\nselect menu_QuickColor 1\ndump\n");
    ASSERT_EQ(run.result.status, 0) << run.result.err;
    std::vector<nlohmann::json> states;
    for (const auto& answer : run.answers)
        if (answer.contains("state")) states.push_back(answer["state"]);
    ASSERT_EQ(states.size(), 5u);
    EXPECT_FALSE(enabled(states[0], "button_AdvanceColorOptions"));
    EXPECT_EQ(states[1]["shownView"], "main"); // a disabled button does nothing, and the script hears of it
    EXPECT_EQ(
        run.result.err, "printdialog: line 4: button_AdvanceColorOptions is disabled; the gesture changes nothing\n");
    EXPECT_TRUE(enabled(states[2], "button_AdvanceColorOptions"));
    EXPECT_EQ(states[3]["shownView"], "advanced");
    EXPECT_EQ(states[4]["shownView"], "main");
    EXPECT_FALSE(enabled(states[4], "button_AdvanceColorOptions"));
}

TEST(PanelScript, ColorAsGrayscaleExcludesSeparationAndTheColourSettings)
{
    // Separation on disables Grayscale, so a click on it does nothing; Separation off again frees it.
    auto run = printdialog({},
        "panelView\nrestore\ncheck check_ColorSeparation on\ncheck check_ColorAsGrayscale on\ndump\n"
        "check check_ColorSeparation off\ncheck check_ColorAsGrayscale on\ndump\n");
    ASSERT_EQ(run.result.status, 0) << run.result.err;
    auto blocked = run.answers[2]["state"];
    EXPECT_EQ(blocked["controls"]["check_ColorAsGrayscale"]["state"], 0);
    EXPECT_FALSE(enabled(blocked, "check_ColorAsGrayscale"));
    auto state = run.state();
    // Rule 2 runs first: Separation is cleared and disabled, so rule 3 leaves Grayscale enabled.
    EXPECT_EQ(state["controls"]["check_ColorAsGrayscale"]["state"], 1);
    EXPECT_TRUE(enabled(state, "check_ColorAsGrayscale"));
    EXPECT_EQ(state["controls"]["check_ColorSeparation"]["state"], 0);
    EXPECT_FALSE(enabled(state, "check_ColorSeparation"));
    int disabled = 0;
    for (const auto& id : kAdvancedPopUps) {
        bool keeps = id.find("Halftone") != std::string::npos || id.find("EdgeEnhancement") != std::string::npos;
        EXPECT_EQ(enabled(state, id), keeps) << id;
        disabled += !enabled(state, id);
    }
    EXPECT_EQ(disabled, 15);
    // Disabling never changes a selection.
    EXPECT_EQ(state["controls"]["menu_iRGBSource"]["selected"], 1);
}

TEST(PanelScript, ATicketWithBothCheckBoxesOnRestoresGrayscaleOnly)
{
    std::string ticket = homesandbox::home() + "/both-on.plist";
    std::ofstream(ticket) << R"(<?xml version="1.0" encoding="UTF-8"?>
<plist version="1.0"><dict><key>zq4410</key><dict><key>zq4410_virtual</key><dict>
<key>TLColorAsGray</key><string>True</string><key>TLColorSeparation</key><string>True</string>
</dict></dict></dict></plist>)";
    auto run = printdialog({"--ticket", ticket}, "panelView\nrestore\ndump\n");
    ASSERT_EQ(run.result.status, 0) << run.result.err;
    auto state = run.state();
    EXPECT_EQ(state["controls"]["check_ColorAsGrayscale"]["state"], 1);
    EXPECT_TRUE(enabled(state, "check_ColorAsGrayscale"));
    EXPECT_EQ(state["controls"]["check_ColorSeparation"]["state"], 0);
    EXPECT_FALSE(enabled(state, "check_ColorSeparation"));
}

TEST(PanelScript, EdgeTypeAndEconoModeDisableEdgeEnhancement)
{
    auto run = printdialog({},
        "panelView\nrestore\nselect menu_EdgeStrength 0\ndump\n"
        "select menu_EdgeStrength 2\ncheck check_EconomyPrint on\ndump\n");
    ASSERT_EQ(run.result.status, 0) << run.result.err;
    std::vector<nlohmann::json> states;
    for (const auto& answer : run.answers)
        if (answer.contains("state")) states.push_back(answer["state"]);
    for (const char* id : {"menu_iEdgeEnhancement", "menu_tEdgeEnhancement", "menu_gEdgeEnhancement"})
        EXPECT_FALSE(enabled(states[0], id)) << id;
    EXPECT_FALSE(enabled(states[1], "menu_iEdgeEnhancement"));
    EXPECT_TRUE(enabled(states[1], "menu_tEdgeEnhancement"));
    EXPECT_FALSE(enabled(states[1], "menu_gEdgeEnhancement"));
}

TEST(PanelScript, PresetDrivesTheSummaryAndThePrintedTicket)
{
    // Custom first, to move one advanced pop-up away from what preset 2 will choose.
    auto run = printdialog({},
        "panelView\nrestore\nselect menu_QuickColor 3\nclick button_AdvanceColorOptions\n"
        "tab tab_SwitchVew 0\nselect menu_iHalftone 0\nclick button_HideAdvancedOptions\n"
        "select menu_QuickColor 2\ncheck check_EconomyPrint on\nsummary\ndump\nshouldPrint\ndump\n");
    ASSERT_EQ(run.result.status, 0) << run.result.err;
    auto summary = run.last("summary");
    std::vector<nlohmann::json> states;
    for (const auto& answer : run.answers)
        if (answer.contains("state")) states.push_back(answer["state"]);
    ASSERT_EQ(states.size(), 2u);
    auto before = states[0]["controls"];
    auto after = states[1]["controls"];

    ASSERT_EQ(summary["order"].size(), 27u);
    EXPECT_EQ(std::count(summary["order"].begin(), summary["order"].end(), "Graphics EdgeEnhance"), 1);
    // Preset 2 with EconoMode: halftone item 2, image and graphics edge enhancement item 0.
    EXPECT_EQ(summary["values"]["Image Halftone"], before["menu_iHalftone"]["items"][2]);
    EXPECT_EQ(before["menu_iHalftone"]["selected"], 0); // the pop-up still shows the user's choice
    EXPECT_EQ(summary["values"]["Image EdgeEnhance"], before["menu_iEdgeEnhancement"]["items"][0]);
    EXPECT_EQ(summary["values"]["Text EdgeEnhance"], before["menu_tEdgeEnhancement"]["items"][1]);

    EXPECT_EQ(after["menu_iHalftone"]["selected"], 2);
    EXPECT_EQ(after["menu_gEdgeEnhancement"]["selected"], 0);
    EXPECT_EQ(after["menu_tEdgeEnhancement"]["selected"], 1);
    auto ticket = states[1]["ticket"];
    EXPECT_EQ(ticket["TLImageHalftone"], "Detail");
    EXPECT_EQ(ticket["TLGraphicsEdgeEnhance"], "Off");
    EXPECT_EQ(ticket["zq4410"]["zq4410_virtual"]["TLImageHalftone"], "Detail");
}

TEST(PanelScript, PresetOnAShortPopUpLeavesItAndKeepsTheOtherLines)
{
    auto run = printdialog({"--ppd", testpaths::ppd("zq4410-short.ppd")},
        "panelView\nrestore\nselect menu_QuickColor 2\nsummary\ndump\nshouldPrint\ndump\n");
    ASSERT_EQ(run.result.status, 0) << run.result.err;
    std::vector<nlohmann::json> states;
    for (const auto& answer : run.answers)
        if (answer.contains("state")) states.push_back(answer["state"]);
    auto summary = run.last("summary");
    auto before = states[0]["controls"];
    // Every pop-up that has the preset's item gets it and gives its line; a short one keeps its own.
    size_t lines = 6;
    for (size_t i = 0; i < kAdvancedPopUps.size(); ++i) {
        const auto& popUp = before[kAdvancedPopUps[i]];
        bool fits = summary["values"].contains(kAdvancedTitles[i]);
        lines += fits;
        if (!fits) {
            EXPECT_EQ(states[1]["controls"][kAdvancedPopUps[i]]["selected"], popUp["selected"]) << kAdvancedPopUps[i];
        }
    }
    EXPECT_EQ(summary["order"].size(), lines);
    EXPECT_LT(lines, 27u);
}

} // namespace
