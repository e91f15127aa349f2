// SPDX-License-Identifier: Apache-2.0
// The option constraint rules applied to control tables of real widgets laid out like the two views.
#include "panels/ColorConstraints.h"

#include "binding/PDECommon.h"
#include "ui/Button.h"
#include "ui/Label.h"
#include "ui/PopUpButton.h"
#include "ui/TabView.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace tlco {
namespace {

// Constraint names of the advanced view's 21 pop-ups, in table order ("" for the halftones).
const char* const kAdvancedPopUpNames[21] = {
    "ImageRGBSourcePopup",
    "ImageRenderIntentPopup",
    "ImageGrayTreatmentPopup",
    "ImageDestinationProfilePopup",
    "",
    "ImageEdgeEnhancePopup",
    "TextRGBSourcePopup",
    "TextRenderIntentPopup",
    "TextGrayTreatmentPopup",
    "TextDestinationProfilePopup",
    "",
    "TextEdgeEnhancePopup",
    "GraphicsRGBSourcePopup",
    "GraphicsRenderIntentPopup",
    "GraphicsGrayTreatmentPopup",
    "GraphicsDestinationProfilePopup",
    "",
    "GraphicsEdgeEnhancePopup",
    "SimulationSourcePopup",
    "SimulationRenderIntentPopup",
    "SimulationGrayTreatmentPopup",
};

// What Color as Grayscale turns off, in rule order.
const std::vector<std::string> kGrayTargets = {
    "ImageRGBSourcePopup",
    "ImageRenderIntentPopup",
    "ImageGrayTreatmentPopup",
    "ImageDestinationProfilePopup",
    "TextRGBSourcePopup",
    "TextRenderIntentPopup",
    "TextGrayTreatmentPopup",
    "TextDestinationProfilePopup",
    "GraphicsRGBSourcePopup",
    "GraphicsRenderIntentPopup",
    "GraphicsGrayTreatmentPopup",
    "GraphicsDestinationProfilePopup",
    "SimulationSourcePopup",
    "SimulationRenderIntentPopup",
    "SimulationGrayTreatmentPopup",
};

const std::vector<std::string> kEdgeTargets = {
    "ImageEdgeEnhancePopup", "TextEdgeEnhancePopup", "GraphicsEdgeEnhancePopup"};

// Both views' controls and tables, set to a state in which no rule matches.
class Panel {
public:
    Panel()
    {
        quickColor_ = popUp("QuickColorPopup", {"Vivid", "Photo", "Document", "Custom"}, 3);
        brightness_ = popUp("", {"-2", "0", "+2"}, 1);
        gray_ = checkBox("ColorAsGrayCheckBox");
        separation_ = checkBox("ColorSeparationCheckBox");
        econo_ = checkBox("EconoModeCheckBox");
        edgeType_ = popUp("EdgeTypePopup", {"Off", "Normal", "Strong"}, 1);
        mainRecords_ = {
            {quickColor_, kControlPopUp, "TLQuickColor", nullptr, "Quick Color", "QuickColorPopup", 0, nullptr},
            {brightness_, kControlPopUp, "TLBrightness", nullptr, "Brightness", "", 0, nullptr},
            {gray_, kControlCheckBox, "TLColorAsGray", "Color as Grayscale", "Color as Grayscale",
                "ColorAsGrayCheckBox", 0, nullptr},
            {separation_, kControlCheckBox, "TLColorSeparation", "Color Separation", "Color Separation",
                "ColorSeparationCheckBox", 0, nullptr},
            {econo_, kControlCheckBox, "TLEconoMode", "EconoMode", "EconoMode", "EconoModeCheckBox", 0, nullptr},
            {edgeType_, kControlPopUp, "TLEdgeType", nullptr, "EdgeType", "EdgeTypePopup", 0, nullptr},
            {label(), kControlLabel, "", "Quick Color:", nullptr, "", 0, nullptr},
            {label(), kControlLabel, "", "Brightness:", nullptr, "", 0, nullptr},
            {label(), kControlLabel, "", "EdgeType:", nullptr, "", 0, nullptr},
            {button("GoToAdvancedOptionsButton"), kControlButton, "", "Advanced Color Options", nullptr,
                "GoToAdvancedOptionsButton", 0, nullptr},
            kEndRecord,
        };

        // RGB and simulation sources start at a profile (not None), destinations at Auto.
        for (const char* name : kAdvancedPopUpNames) {
            std::string n = name;
            int selected = (n.find("RGBSource") != std::string::npos || n == "SimulationSourcePopup") ? 1 : 0;
            ui::PopUpButton* p = popUp(n, {"First", "Second", "Third"}, selected);
            if (n.empty()) halftonePopUps_.push_back(p);
            advancedRecords_.push_back({p, kControlPopUp, "TLKey", "Title:", "Summary", name, 0, nullptr});
        }
        auto tab = std::make_unique<ui::TabView>();
        advancedRecords_.push_back({tab.get(), kControlTabView, "", "Image", nullptr, "", 0, nullptr});
        owned_.push_back(std::move(tab));
        for (int i = 0; i < 21; ++i)
            advancedRecords_.push_back({label(), kControlLabel, "", "Title:", nullptr, "", 0, nullptr});
        for (const char* title : {"Management Profile", "Download Manager", "Hide Advanced Options"})
            advancedRecords_.push_back({button(""), kControlButton, "", title, nullptr, "", 0, nullptr});
        advancedRecords_.push_back(kEndRecord);

        PDEControlRecord* tables[] = {mainRecords_.data(), advancedRecords_.data()};
        compound_ = PDECommon::commonControlTableCompound(tables, 2);
    }

    PDEControlRecord* mainTable() { return mainRecords_.data(); }
    PDEControlRecord* compound() { return compound_.get(); }

    ui::View& control(const std::string& name) { return *byName_.at(name); }
    ui::PopUpButton& popUpNamed(const std::string& name) { return dynamic_cast<ui::PopUpButton&>(control(name)); }
    ui::Button& checkNamed(const std::string& name) { return dynamic_cast<ui::Button&>(control(name)); }
    bool enabled(const std::string& name) { return control(name).isEnabled(); }
    const std::vector<ui::PopUpButton*>& halftones() const { return halftonePopUps_; }

    // Every named control and halftone pop-up with its selection or state, to prove nothing moved.
    std::map<std::string, int> values()
    {
        std::map<std::string, int> out;
        for (auto& [name, view] : byName_) {
            if (auto* p = dynamic_cast<ui::PopUpButton*>(view)) out[name] = p->indexOfSelectedItem();
            if (auto* b = dynamic_cast<ui::Button*>(view)) out[name] = b->state();
        }
        for (size_t i = 0; i < halftonePopUps_.size(); ++i)
            out["halftone" + std::to_string(i)] = halftonePopUps_[i]->indexOfSelectedItem();
        return out;
    }

    void disableAll()
    {
        for (auto& [name, view] : byName_) view->setEnabled(false);
        for (auto* p : halftonePopUps_) p->setEnabled(false);
    }

private:
    ui::PopUpButton* popUp(const std::string& name, std::vector<std::string> items, int selected)
    {
        auto p = std::make_unique<ui::PopUpButton>();
        for (auto& item : items) p->addItemWithTitle(item);
        p->selectItemAtIndex(selected);
        return keep(name, std::move(p));
    }
    ui::CheckBox* checkBox(const std::string& name) { return keep(name, std::make_unique<ui::CheckBox>()); }
    ui::Button* button(const std::string& name) { return keep(name, std::make_unique<ui::Button>()); }
    ui::Label* label() { return keep("", std::make_unique<ui::Label>()); }

    template <typename T>
    T* keep(const std::string& name, std::unique_ptr<T> view)
    {
        T* raw = view.get();
        if (!name.empty()) byName_[name] = raw;
        owned_.push_back(std::move(view));
        return raw;
    }

    std::vector<std::unique_ptr<ui::View>> owned_;
    std::map<std::string, ui::View*> byName_;
    std::vector<ui::PopUpButton*> halftonePopUps_;
    ui::PopUpButton* quickColor_ = nullptr;
    ui::PopUpButton* brightness_ = nullptr;
    ui::CheckBox* gray_ = nullptr;
    ui::CheckBox* separation_ = nullptr;
    ui::CheckBox* econo_ = nullptr;
    ui::PopUpButton* edgeType_ = nullptr;
    std::vector<PDEControlRecord> mainRecords_;
    std::vector<PDEControlRecord> advancedRecords_;
    CompoundTable compound_;
};

// The 21 rule targets in table order.
std::vector<std::string> allTargets()
{
    std::vector<std::string> out = {"GoToAdvancedOptionsButton", "ColorSeparationCheckBox", "ColorAsGrayCheckBox"};
    out.insert(out.end(), kGrayTargets.begin(), kGrayTargets.end());
    out.insert(out.end(), kEdgeTargets.begin(), kEdgeTargets.end());
    return out;
}

// Names of the targets that are disabled.
std::vector<std::string> disabledTargets(Panel& panel)
{
    std::vector<std::string> out;
    for (const auto& name : allTargets())
        if (!panel.enabled(name)) out.push_back(name);
    return out;
}

TEST(ColorConstraints, CompoundLayoutHasTheViewsRecordsThenTheEnd)
{
    Panel panel;
    ASSERT_NE(panel.compound(), nullptr);
    int records = 0;
    while (panel.compound()[records].type != kControlEnd) ++records;
    EXPECT_EQ(records, 56);
}

TEST(ColorConstraints, NeutralStateEnablesEveryTargetAgain)
{
    Panel panel;
    panel.disableAll();
    auto before = panel.values();
    vColorPresetConstraints(panel.compound());
    EXPECT_EQ(disabledTargets(panel), std::vector<std::string>{});
    EXPECT_EQ(panel.values(), before);
    // Controls that no rule names are left as they were.
    for (auto* halftone : panel.halftones()) EXPECT_FALSE(halftone->isEnabled());
}

TEST(ColorConstraints, QuickColorOtherThanCustomDisablesAdvancedButton)
{
    const struct {
        int index;
        bool enabled;
    } cases[] = {{-1, false}, {0, false}, {1, false}, {2, false}, {3, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE("Quick Color index " + std::to_string(c.index));
        Panel panel;
        panel.popUpNamed("QuickColorPopup").selectItemAtIndex(c.index);
        vColorPresetConstraints(panel.compound());
        EXPECT_EQ(panel.enabled("GoToAdvancedOptionsButton"), c.enabled);
        EXPECT_EQ(panel.popUpNamed("QuickColorPopup").indexOfSelectedItem(), c.index);
        EXPECT_EQ(disabledTargets(panel).size(), c.enabled ? 0u : 1u);
    }
}

TEST(ColorConstraints, GrayscaleClearsSeparationAndDisablesRgbAndProfileSettings)
{
    Panel panel;
    panel.checkNamed("ColorAsGrayCheckBox").setState(1);
    auto before = panel.values();
    vColorPresetConstraints(panel.compound());

    std::vector<std::string> expected = {"ColorSeparationCheckBox"};
    expected.insert(expected.end(), kGrayTargets.begin(), kGrayTargets.end());
    EXPECT_EQ(disabledTargets(panel), expected);
    EXPECT_EQ(panel.checkNamed("ColorSeparationCheckBox").state(), 0);
    EXPECT_EQ(panel.checkNamed("ColorAsGrayCheckBox").state(), 1);
    for (auto* halftone : panel.halftones()) EXPECT_TRUE(halftone->isEnabled());
    // Only the separation box changed value; the disabled pop-ups keep their selections.
    EXPECT_EQ(panel.values(), before);
}

TEST(ColorConstraints, BothCheckBoxesOnEndsWithGrayscaleOnly)
{
    Panel panel;
    panel.checkNamed("ColorAsGrayCheckBox").setState(1);
    panel.checkNamed("ColorSeparationCheckBox").setState(1);
    vColorPresetConstraints(panel.compound());
    EXPECT_EQ(panel.checkNamed("ColorAsGrayCheckBox").state(), 1);
    EXPECT_TRUE(panel.enabled("ColorAsGrayCheckBox"));
    EXPECT_EQ(panel.checkNamed("ColorSeparationCheckBox").state(), 0);
    EXPECT_FALSE(panel.enabled("ColorSeparationCheckBox"));

    // A second application settles on the same state.
    vColorPresetConstraints(panel.compound());
    EXPECT_EQ(panel.checkNamed("ColorAsGrayCheckBox").state(), 1);
    EXPECT_TRUE(panel.enabled("ColorAsGrayCheckBox"));
    EXPECT_FALSE(panel.enabled("ColorSeparationCheckBox"));
}

TEST(ColorConstraints, RuleTwoRunsBeforeRuleThreeTests)
{
    Panel panel;
    panel.checkNamed("ColorAsGrayCheckBox").setState(1);
    panel.checkNamed("ColorSeparationCheckBox").setState(1);
    PDEControlRecord* table = panel.compound();
    // Taken alone, rule 3 would clear Color as Grayscale.
    EXPECT_EQ(bMatchCondition(2, table), 1);
    ASSERT_EQ(bMatchCondition(1, table), 1);
    vValueChange(1, table);
    EXPECT_EQ(panel.checkNamed("ColorSeparationCheckBox").state(), 0);
    EXPECT_EQ(bMatchCondition(2, table), 0);
}

TEST(ColorConstraints, SeparationAloneDisablesGrayscale)
{
    Panel panel;
    panel.checkNamed("ColorSeparationCheckBox").setState(1);
    vColorPresetConstraints(panel.compound());
    EXPECT_EQ(disabledTargets(panel), std::vector<std::string>{"ColorAsGrayCheckBox"});
    EXPECT_EQ(panel.checkNamed("ColorAsGrayCheckBox").state(), 0);
    EXPECT_EQ(panel.checkNamed("ColorSeparationCheckBox").state(), 1);
}

TEST(ColorConstraints, SourceNoneOrNonAutoDestinationDisablesOnlyItsOwnKind)
{
    const struct {
        const char* name;
        const char* control;
        int index;
        std::vector<std::string> disabled;
    } cases[] = {
        {"image source None", "ImageRGBSourcePopup", 0, {"ImageRenderIntentPopup"}},
        {"text source None", "TextRGBSourcePopup", 0, {"TextRenderIntentPopup"}},
        {"graphics source None", "GraphicsRGBSourcePopup", 0, {"GraphicsRenderIntentPopup"}},
        {"simulation None", "SimulationSourcePopup", 0,
            {"SimulationRenderIntentPopup", "SimulationGrayTreatmentPopup"}},
        {"image destination profile", "ImageDestinationProfilePopup", 1, {"ImageGrayTreatmentPopup"}},
        {"text destination profile", "TextDestinationProfilePopup", 2, {"TextGrayTreatmentPopup"}},
        {"graphics destination profile", "GraphicsDestinationProfilePopup", 1, {"GraphicsGrayTreatmentPopup"}},
        // No selection is CST 0, which is neither None nor Auto.
        {"image source unselected", "ImageRGBSourcePopup", -1, {}},
        {"image destination unselected", "ImageDestinationProfilePopup", -1, {"ImageGrayTreatmentPopup"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Panel panel;
        panel.popUpNamed(c.control).selectItemAtIndex(c.index);
        vColorPresetConstraints(panel.compound());
        EXPECT_EQ(disabledTargets(panel), c.disabled);
        EXPECT_EQ(panel.popUpNamed(c.control).indexOfSelectedItem(), c.index);
    }
}

TEST(ColorConstraints, ChoosingAnotherSourceEnablesIntentAgain)
{
    Panel panel;
    panel.popUpNamed("ImageRGBSourcePopup").selectItemAtIndex(0);
    vColorPresetConstraints(panel.compound());
    EXPECT_FALSE(panel.enabled("ImageRenderIntentPopup"));
    panel.popUpNamed("ImageRGBSourcePopup").selectItemAtIndex(2);
    vColorPresetConstraints(panel.compound());
    EXPECT_TRUE(panel.enabled("ImageRenderIntentPopup"));
}

TEST(ColorConstraints, EdgeTypeAndEconoModeDecideEdgeEnhancement)
{
    const struct {
        int econo;
        int edgeType;
        bool image, text, graphics;
    } cases[] = {
        {0, 0, false, false, false},
        {1, 0, false, false, false},
        {1, 1, false, true, false},
        {1, 2, false, true, false},
        {0, 1, true, true, true},
        {0, 2, true, true, true},
        {0, -1, true, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("EconoMode " + std::to_string(c.econo) + ", edge type " + std::to_string(c.edgeType));
        Panel panel;
        panel.checkNamed("EconoModeCheckBox").setState(c.econo);
        panel.popUpNamed("EdgeTypePopup").selectItemAtIndex(c.edgeType);
        auto before = panel.values();
        vColorPresetConstraints(panel.compound());
        EXPECT_EQ(panel.enabled("ImageEdgeEnhancePopup"), c.image);
        EXPECT_EQ(panel.enabled("TextEdgeEnhancePopup"), c.text);
        EXPECT_EQ(panel.enabled("GraphicsEdgeEnhancePopup"), c.graphics);
        EXPECT_TRUE(panel.enabled("EconoModeCheckBox"));
        EXPECT_TRUE(panel.enabled("EdgeTypePopup"));
        EXPECT_EQ(panel.values(), before);
    }
}

TEST(ColorConstraints, MainTableAloneReachesOnlyTheMainViewRules)
{
    Panel panel;
    panel.popUpNamed("QuickColorPopup").selectItemAtIndex(0);
    panel.checkNamed("ColorAsGrayCheckBox").setState(1);
    panel.checkNamed("ColorSeparationCheckBox").setState(1);
    panel.checkNamed("EconoModeCheckBox").setState(1);
    panel.popUpNamed("EdgeTypePopup").selectItemAtIndex(0);
    panel.control("TextRenderIntentPopup").setEnabled(false);
    vColorPresetConstraints(panel.mainTable());

    EXPECT_FALSE(panel.enabled("GoToAdvancedOptionsButton"));
    EXPECT_EQ(panel.checkNamed("ColorSeparationCheckBox").state(), 0);
    EXPECT_FALSE(panel.enabled("ColorSeparationCheckBox"));
    EXPECT_TRUE(panel.enabled("ColorAsGrayCheckBox"));
    // The advanced pop-ups keep whatever state they had until the compound table is next applied.
    EXPECT_EQ(disabledTargets(panel),
        (std::vector<std::string>{"GoToAdvancedOptionsButton", "ColorSeparationCheckBox", "TextRenderIntentPopup"}));

    vColorPresetConstraints(panel.compound());
    EXPECT_FALSE(panel.enabled("ImageRGBSourcePopup"));
    EXPECT_FALSE(panel.enabled("TextEdgeEnhancePopup"));
}

TEST(ColorConstraints, NullTableAndPositionsOutsideTheTableDoNothing)
{
    vColorPresetConstraints(nullptr);
    for (int rule : {0, 1, 20}) EXPECT_EQ(bMatchCondition(rule, nullptr), 0) << rule;

    Panel panel;
    panel.popUpNamed("QuickColorPopup").selectItemAtIndex(0);
    panel.checkNamed("ColorAsGrayCheckBox").setState(1);
    panel.checkNamed("ColorSeparationCheckBox").setState(1);
    panel.disableAll();
    auto before = panel.values();
    for (int rule : {-1, 21, 22, 1000}) {
        SCOPED_TRACE(rule);
        EXPECT_EQ(bMatchCondition(rule, panel.compound()), 0);
        vValueChange(rule, panel.compound());
        vActReverseOption(rule, panel.compound());
    }
    vValueChange(1, nullptr);
    vActReverseOption(0, nullptr);
    EXPECT_EQ(panel.values(), before);
    EXPECT_EQ(disabledTargets(panel).size(), 21u);
}

TEST(ColorConstraints, OnlyExactNamesBeforeTheEndRecordMatch)
{
    ui::CheckBox gray, separation, lookalike, later;
    gray.setState(1);
    separation.setState(1);
    lookalike.setState(1);
    later.setState(1);
    gray.setEnabled(false);
    later.setEnabled(false);
    lookalike.setEnabled(false);
    std::vector<PDEControlRecord> table = {
        // Prefix and extension of the real name do not match.
        {&lookalike, kControlCheckBox, "", nullptr, nullptr, "ColorAsGrayCheckBo", 0, nullptr},
        {&lookalike, kControlCheckBox, "", nullptr, nullptr, "ColorAsGrayCheckBoxes", 0, nullptr},
        // A record without a control is passed over, not taken for the end.
        {nullptr, kControlCheckBox, "", nullptr, nullptr, "ColorAsGrayCheckBox", 0, nullptr},
        {&gray, kControlCheckBox, "", nullptr, nullptr, "ColorAsGrayCheckBox", 0, nullptr},
        // Only the first record of a name counts.
        {&later, kControlCheckBox, "", nullptr, nullptr, "ColorAsGrayCheckBox", 0, nullptr},
        {nullptr, kControlCheckBox, "", nullptr, nullptr, nullptr, 0, nullptr},
        kEndRecord,
        {&separation, kControlCheckBox, "", nullptr, nullptr, "ColorSeparationCheckBox", 0, nullptr},
    };
    vColorPresetConstraints(table.data());
    EXPECT_TRUE(gray.isEnabled());
    EXPECT_FALSE(later.isEnabled());
    EXPECT_FALSE(lookalike.isEnabled());
    // Color Separation lies past the end record: it is neither cleared nor disabled.
    EXPECT_EQ(separation.state(), 1);
    EXPECT_TRUE(separation.isEnabled());
    EXPECT_EQ(bMatchCondition(1, table.data()), 1);

    gray.setState(0);
    EXPECT_EQ(bMatchCondition(1, table.data()), 0);
}

} // namespace
} // namespace tlco
