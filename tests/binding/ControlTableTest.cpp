// SPDX-License-Identifier: Apache-2.0
// The control table: the compound join, the keyword list, and reading and writing a control's value.
#include "BindingTestSupport.h"

#include "base/Status.h"

#include <gtest/gtest.h>

using tlco::PDECommon;
using tlco::PDEControlRecord;

namespace {

std::vector<std::string> texts(const cf::Array& array)
{
    std::vector<std::string> result;
    for (const auto& item : array.items()) {
        auto text = cf::as<cf::String>(item);
        result.push_back(text ? text->utf8() : "<not a string>");
    }
    return result;
}

void expectEndRecord(const PDEControlRecord& record)
{
    EXPECT_EQ(record.control, nullptr);
    EXPECT_EQ(record.type, tlco::kControlEnd);
    EXPECT_STREQ(record.ppdKey, "");
    EXPECT_EQ(record.titleKey, nullptr);
    EXPECT_EQ(record.summaryKey, nullptr);
    EXPECT_STREQ(record.ctrlName, "");
    EXPECT_EQ(record.profileKind, 0);
    EXPECT_EQ(record.choices, nullptr);
}

// Tables of main-view and advanced-view size: only the records matter to the join.
TEST(CompoundTable, JoinsTablesInOrderAndEndsWithOneEndRecord)
{
    bindingtest::Panel main, advanced;
    for (int i = 0; i < 10; ++i) main.label("Main");
    for (int i = 0; i < 46; ++i) advanced.label("Advanced");
    auto ppd = bindingtest::openPPD(bindingtest::dataPPD("binding.ppd"));
    PDEControlRecord* tables[] = {main.build(ppd.get()), advanced.build(ppd.get())};

    tlco::CompoundTable compound = PDECommon::commonControlTableCompound(tables, 2);
    ASSERT_NE(compound, nullptr);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(compound[i].control, main.record(i).control) << i;
    for (int i = 0; i < 46; ++i) EXPECT_EQ(compound[10 + i].control, advanced.record(i).control) << i;
    expectEndRecord(compound[56]);
}

TEST(CompoundTable, SharesChoiceListsAndSkipsEmptyTables)
{
    auto ppd = bindingtest::openPPD(bindingtest::dataPPD("binding.ppd"));
    bindingtest::Panel empty, other;
    other.popUp("TLPop");
    other.checkBox("TLSwitch");
    PDEControlRecord* tables[] = {empty.build(ppd.get()), other.build(ppd.get())};

    tlco::CompoundTable compound = PDECommon::commonControlTableCompound(tables, 2);
    ASSERT_NE(compound, nullptr);
    EXPECT_EQ(compound[0].control, other.record(0).control);
    EXPECT_EQ(compound[0].choices, other.record(0).choices);
    EXPECT_EQ(compound[1].choices, other.record(1).choices);
    expectEndRecord(compound[2]);

    tlco::CompoundTable none = PDECommon::commonControlTableCompound(nullptr, 0);
    ASSERT_NE(none, nullptr);
    expectEndRecord(none[0]);
}

TEST(KeywordList, ListsKeywordsOfBoundControlsInTableOrder)
{
    bindingtest::Panel panel;
    panel.label("Quick Color:");
    panel.popUp("TLQuickColor");
    panel.popUp("TLBrightness");
    panel.checkBox("TLColorAsGray");
    panel.checkBox("TLColorSeparation");
    panel.checkBox("TLEconoMode");
    panel.button("Advanced Color Options");
    panel.popUp("TLEdgeType");
    auto ppd = bindingtest::openPPD(testpaths::ppd("zq4410.ppd"));

    auto keywords = cf::Array::create();
    keywords->append(cf::String::create("Existing"));
    EXPECT_EQ(PDECommon::commonAddPPDArray(keywords.get(), panel.build(ppd.get())), tlco::noErr);
    EXPECT_EQ(texts(*keywords),
        (std::vector<std::string>{"Existing", "TLQuickColor", "TLBrightness", "TLColorAsGray", "TLColorSeparation",
            "TLEconoMode", "TLEdgeType"}));
    EXPECT_EQ(PDECommon::commonAddPPDArray(nullptr, panel.table()), tlco::paramErr);
}

TEST(KeywordList, SkipsAKeywordThatIsNoASCIIButListsTheRest)
{
    bindingtest::Panel panel;
    panel.popUp("TLPop");
    panel.popUp("TL\xC3\xA9");
    panel.checkBox("TLSwitch");
    auto ppd = bindingtest::openPPD(bindingtest::dataPPD("binding.ppd"));

    auto keywords = cf::Array::create();
    EXPECT_EQ(PDECommon::commonAddPPDArray(keywords.get(), panel.build(ppd.get())), tlco::paramErr);
    EXPECT_EQ(texts(*keywords), (std::vector<std::string>{"TLPop", "TLSwitch"}));
}

TEST(ControlValue, PopUpSelectionFollowsTheItemsItHas)
{
    bindingtest::Panel panel;
    ui::PopUpButton* popUp = panel.popUp("TLPop");
    auto ppd = bindingtest::openPPD(bindingtest::dataPPD("binding.ppd"));
    const PDEControlRecord* record = panel.buildWithItems(ppd.get());
    ASSERT_EQ(popUp->numberOfItems(), 3);

    PDECommon::commonSetControlValueWithSInt32(record, 2);
    EXPECT_EQ(PDECommon::commonGetControlValueWithSInt32(record), 2);
    PDECommon::commonSetControlValueWithSInt32(record, 3); // one past the end
    EXPECT_EQ(PDECommon::commonGetControlValueWithSInt32(record), 2);
    PDECommon::commonSetControlValueWithSInt32(record, -1);
    EXPECT_EQ(popUp->indexOfSelectedItem(), -1);
    EXPECT_EQ(PDECommon::commonGetControlValueWithSInt32(record), -1);
    PDECommon::commonSetControlValueWithSInt32(record, 0);
    EXPECT_EQ(PDECommon::commonGetControlValueWithSInt32(record), 0);
}

TEST(ControlValue, CheckBoxStateAndControlsWithoutValue)
{
    bindingtest::Panel panel;
    ui::CheckBox* checkBox = panel.checkBox("TLSwitch");
    ui::Label* label = panel.label("Label");
    auto ppd = bindingtest::openPPD(bindingtest::dataPPD("binding.ppd"));
    PDEControlRecord* table = panel.build(ppd.get());

    PDECommon::commonSetControlValueWithSInt32(&table[0], 5);
    EXPECT_EQ(checkBox->state(), 1);
    EXPECT_EQ(PDECommon::commonGetControlValueWithSInt32(&table[0]), 1);
    PDECommon::commonSetControlValueWithSInt32(&table[0], 0);
    EXPECT_EQ(PDECommon::commonGetControlValueWithSInt32(&table[0]), 0);

    PDECommon::commonSetControlValueWithSInt32(&table[1], 1);
    EXPECT_EQ(label->stringValue(), "");
    EXPECT_EQ(PDECommon::commonGetControlValueWithSInt32(&table[1]), 0);
    EXPECT_EQ(PDECommon::commonGetControlValueWithSInt32(&table[2]), 0); // the end record
    EXPECT_EQ(PDECommon::commonGetControlValueWithSInt32(nullptr), 0);
    PDECommon::commonSetControlValueWithSInt32(nullptr, 1);
}

TEST(CSTValue, ConvertsPopUpIndicesAndPassesOtherValues)
{
    ui::PopUpButton popUp;
    ui::CheckBox checkBox;
    const PDEControlRecord popUpRecord{&popUp, tlco::kControlPopUp, "TLPop", nullptr, nullptr, "", 0, nullptr};
    const PDEControlRecord checkBoxRecord{
        &checkBox, tlco::kControlCheckBox, "TLSwitch", nullptr, nullptr, "", 0, nullptr};

    struct Case {
        const PDEControlRecord* record;
        int32_t controlValue;
        int32_t cst;
        int32_t back;
    };
    const Case cases[] = {
        {&popUpRecord, 0, 1, 0},
        {&popUpRecord, 3, 4, 3},
        {&popUpRecord, -1, 0, 0},
        {&checkBoxRecord, 0, 0, 0},
        {&checkBoxRecord, 1, 1, 1},
        {nullptr, 7, 7, 7},
        {&popUpRecord, INT32_MAX, INT32_MAX, INT32_MAX - 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PDECommon::commonConvertToCSTValue(c.record, c.controlValue), c.cst) << c.controlValue;
        EXPECT_EQ(PDECommon::commonConvertFromCSTValue(c.record, c.cst), c.back) << c.cst;
    }
    EXPECT_EQ(PDECommon::commonConvertFromCSTValue(&popUpRecord, 0), 0);
    EXPECT_EQ(PDECommon::commonConvertFromCSTValue(&popUpRecord, -4), 0);
    EXPECT_EQ(PDECommon::commonConvertFromCSTValue(&checkBoxRecord, -4), -4);
}

} // namespace
