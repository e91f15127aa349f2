// SPDX-License-Identifier: Apache-2.0
// Titles and summary lines in Japanese: LANGUAGE=ja under LC_ALL=C.UTF-8, the locale taken from the
// environment as the host takes it.
#include "BindingTestSupport.h"

#include "base/Status.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>

using bindingtest::openPPD;
using tlco::PDECommon;

namespace {

class Japanese : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        // Set here rather than by the test runner, which passes on only the first of several variables.
        setenv("LANGUAGE", "ja", 1);
        setenv("LC_ALL", "C.UTF-8", 1);
        std::setlocale(LC_ALL, "");
    }
    static void TearDownTestSuite() { std::setlocale(LC_ALL, "C"); }
    void SetUp() override { bindingtest::useBundle(); }
    void TearDown() override { tlco::pluginBundle = nullptr; }
};

TEST_F(Japanese, TitlesAndTabLabels)
{
    bindingtest::Panel panel;
    ui::Label* label = panel.label("Quick Color:");
    ui::CheckBox* checkBox = panel.checkBox("TLEconoMode", "EconoMode");
    ui::Button* button = panel.button("Advanced Color Options");
    ui::Label* unknown = panel.label("Not In The Catalogue");
    ui::TabView* tabs = panel.tabView("Image", 4);
    auto ppd = openPPD(testpaths::ppd("zq4410.ppd"));
    panel.buildWithItems(ppd.get());

    EXPECT_EQ(label->stringValue(), "クイックカラー：");
    EXPECT_EQ(checkBox->title(), "エコノモード");
    EXPECT_EQ(button->title(), "詳細カラーオプション");
    EXPECT_EQ(unknown->stringValue(), "Not In The Catalogue");
    std::vector<std::string> labels;
    for (const auto& item : tabs->items()) labels.push_back(item.label);
    EXPECT_EQ(labels, (std::vector<std::string>{"イメージ", "テキスト", "グラフィックス", "シミュレーション"}));
}

TEST_F(Japanese, SummaryTitlesAreLocalizedAndValuesComeFromThePPD)
{
    bindingtest::Panel panel;
    panel.popUp("TLBrightness", "Brightness");
    panel.checkBox("TLEconoMode", "EconoMode", "EconoMode");
    auto ppd = openPPD(testpaths::ppd("zq4410-sjis.ppd"));
    auto* table = panel.buildWithItems(ppd.get());
    PDECommon::commonDefaultFromPPDInfo(table);

    auto dictionary = cf::Dictionary::create();
    auto order = cf::Array::create();
    EXPECT_EQ(PDECommon::commonGetSummaryText(table, dictionary.get(), order.get()), tlco::noErr);
    EXPECT_EQ(PDECommon::commonGetSummaryTextQuickColor(
                  "Image RGB Source", cf::String::create("sRGB"), dictionary.get(), order.get()),
        tlco::noErr);
    ASSERT_EQ(order->count(), 3u);
    EXPECT_EQ(cf::as<cf::String>(order->at(0))->utf8(), "明るさ");
    EXPECT_EQ(cf::as<cf::String>(order->at(1))->utf8(), "エコノモード");
    EXPECT_EQ(cf::as<cf::String>(order->at(2))->utf8(), "イメージ RGB ソース");
    EXPECT_EQ(dictionary->getString("明るさ")->utf8(), "標準 (ﾉｰﾏﾙ)");
    EXPECT_EQ(dictionary->getString("エコノモード")->utf8(), "オフ");
    EXPECT_EQ(dictionary->getString("イメージ RGB ソース")->utf8(), "sRGB");
}

} // namespace
