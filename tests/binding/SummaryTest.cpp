// SPDX-License-Identifier: Apache-2.0
// Summary lines of a control table and of a Quick Color preset.
#include "BindingTestSupport.h"

#include "base/Status.h"

#include <gtest/gtest.h>

using bindingtest::openPPD;
using tlco::PDECommon;
using tlco::PDEControlRecord;

namespace {

using Lines = std::vector<std::pair<std::string, std::string>>;

// The lines in display order, each with the value the dictionary holds for its title.
Lines lines(const cf::Dictionary& dictionary, const cf::Array& order)
{
    Lines result;
    for (const auto& item : order.items()) {
        auto title = cf::as<cf::String>(item);
        if (!title) {
            result.emplace_back("<not a string>", "");
            continue;
        }
        auto value = dictionary.getString(title->utf8());
        result.emplace_back(title->utf8(), value ? value->utf8() : "<missing>");
    }
    return result;
}

class Summary : public ::testing::Test {
protected:
    void SetUp() override
    {
        bindingtest::useBundle();
        ppd = openPPD(testpaths::ppd("zq4410.ppd"));
        panel.label("Quick Color:");
        quickColor = panel.popUp("TLQuickColor", "Quick Color");
        panel.label("Brightness:");
        brightness = panel.popUp("TLBrightness", "Brightness");
        gray = panel.checkBox("TLColorAsGray", "Color as Grayscale", "Color as Grayscale");
        panel.checkBox("TLColorSeparation", "Color Separation", "Color Separation");
        panel.checkBox("TLEconoMode", "EconoMode", "EconoMode");
        panel.label("EdgeType:");
        panel.popUp("TLEdgeType", "EdgeType");
        panel.button("Advanced Color Options");
        table = panel.buildWithItems(ppd.get());
        PDECommon::commonDefaultFromPPDInfo(table);
    }
    void TearDown() override { tlco::pluginBundle = nullptr; }

    bindingtest::PPDFile ppd;
    bindingtest::Panel panel;
    ui::PopUpButton* quickColor = nullptr;
    ui::PopUpButton* brightness = nullptr;
    ui::CheckBox* gray = nullptr;
    PDEControlRecord* table = nullptr;
    cf::DictionaryRef dictionary = cf::Dictionary::create();
    cf::ArrayRef order = cf::Array::create();
};

TEST_F(Summary, OneLinePerRecordWithASummaryKeyInTableOrder)
{
    quickColor->selectItemAtIndex(2);
    gray->setState(1);
    EXPECT_EQ(PDECommon::commonGetSummaryText(table, dictionary.get(), order.get()), tlco::noErr);
    EXPECT_EQ(lines(*dictionary, *order),
        (Lines{{"Quick Color", "Vivid"}, {"Brightness", "Normal"}, {"Color as Grayscale", "On"},
            {"Color Separation", "Off"}, {"EconoMode", "Off"}, {"EdgeType", "Standard"}}));
    EXPECT_EQ(dictionary->count(), 6u);
}

TEST_F(Summary, APopUpWithoutSelectionGivesNoLineAndTheStatusSaysSo)
{
    brightness->selectItemAtIndex(-1);
    EXPECT_EQ(PDECommon::commonGetSummaryText(table, dictionary.get(), order.get()), tlco::paramErr);
    EXPECT_EQ(order->count(), 5u);
    EXPECT_FALSE(dictionary->contains("Brightness"));
    EXPECT_EQ(lines(*dictionary, *order)[1].first, "Color as Grayscale");
}

TEST_F(Summary, AnAppendedProfileEntryShowsItsTitle)
{
    bindingtest::Panel profiles;
    ui::PopUpButton* destination =
        profiles.popUp("TLImageDestinationProfile", "Image Destination Profile", tlco::kProfileKindDestination);
    PDEControlRecord* profileTable = profiles.buildWithItems(ppd.get());
    destination->addItemWithTitle("MY.ICC(Office)Card");
    destination->selectItemAtIndex(4);
    EXPECT_EQ(PDECommon::commonGetSummaryText(profileTable, dictionary.get(), order.get()), tlco::noErr);
    EXPECT_EQ(lines(*dictionary, *order), (Lines{{"Image Destination Profile", "MY.ICC(Office)Card"}}));
}

TEST_F(Summary, NothingWithoutABundle)
{
    tlco::pluginBundle = nullptr;
    brightness->selectItemAtIndex(-1);
    EXPECT_EQ(PDECommon::commonGetSummaryText(table, dictionary.get(), order.get()), tlco::noErr);
    EXPECT_EQ(PDECommon::commonGetSummaryTextQuickColor(
                  "Image RGB Source", cf::String::create("sRGB"), dictionary.get(), order.get()),
        tlco::noErr);
    EXPECT_EQ(dictionary->count(), 0u);
    EXPECT_EQ(order->count(), 0u);
}

TEST_F(Summary, PresetLines)
{
    EXPECT_EQ(PDECommon::commonGetSummaryTextQuickColor(
                  "Image RGB Source", cf::String::create("sRGB"), dictionary.get(), order.get()),
        tlco::noErr);
    EXPECT_EQ(PDECommon::commonGetSummaryTextQuickColor(
                  "Image Halftone", cf::String::create("Smooth"), dictionary.get(), order.get()),
        tlco::noErr);
    EXPECT_EQ(lines(*dictionary, *order), (Lines{{"Image RGB Source", "sRGB"}, {"Image Halftone", "Smooth"}}));

    struct Case {
        const char* name;
        const char* key;
        cf::StringRef value;
    };
    const Case refused[] = {
        {"no value", "Image RGB Intent", nullptr},
        {"no key", nullptr, cf::String::create("x")},
        {"key not ASCII", "Image \xC3\xA9", cf::String::create("x")},
    };
    for (const auto& c : refused) {
        EXPECT_EQ(
            PDECommon::commonGetSummaryTextQuickColor(c.key, c.value, dictionary.get(), order.get()), tlco::paramErr)
            << c.name;
    }
    EXPECT_EQ(order->count(), 2u);
    EXPECT_EQ(dictionary->count(), 2u);
}

} // namespace
