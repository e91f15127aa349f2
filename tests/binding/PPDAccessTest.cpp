// SPDX-License-Identifier: Apache-2.0
// PPD access on libcups: encodings, choice lists and their conflict marks, pop-up menus, titles,
// defaults and the mapping between control values and PPD choices.
#include "BindingTestSupport.h"

#include "base/Status.h"
#include "cf/Number.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

using bindingtest::dataPPD;
using bindingtest::openPPD;
using tlco::ChoiceEntry;
using tlco::ChoiceList;
using tlco::PDECommon;
using tlco::PDEControlRecord;

namespace {

std::vector<std::string> itemTitles(const ui::PopUpButton& popUp)
{
    std::vector<std::string> titles;
    for (const auto& item : popUp.items()) titles.push_back(item.title);
    return titles;
}

std::vector<std::string> choiceTexts(const ChoiceList& list)
{
    std::vector<std::string> texts;
    for (const auto& entry : list) texts.push_back(entry.text);
    return texts;
}

class LocalizedTest : public ::testing::Test {
protected:
    void SetUp() override { bindingtest::useBundle(); }
    void TearDown() override { tlco::pluginBundle = nullptr; }
};

TEST(PPDEncoding, NamesMapToBothNumbersExactly)
{
    struct Case {
        const char* name;
        cf::NSStringEncoding appKit;
        cf::StringEncoding coreFoundation;
    };
    const Case cases[] = {
        {"ISOLatin1", 5, 0x0201},
        {"WindowsANSI", 12, 0x0500},
        {"JIS83-RKSJ", 8, 0x0A01},
        {"UTF-8", 4, 0x08000100},
        {"UTF8", 4, 0x08000100},
        {"utf-8", 30, 0},
        {"isolatin1", 30, 0},
        {"MacStandard", 30, 0},
        {"", 30, 0},
        {nullptr, 30, 0},
    };
    for (const auto& c : cases) {
        ppd_file_t ppd{};
        ppd.lang_encoding = const_cast<char*>(c.name);
        EXPECT_EQ(PDECommon::commonGetEncodingFromPPD(&ppd), c.appKit) << (c.name ? c.name : "null");
        EXPECT_EQ(PDECommon::commonGetCFStringEncodingFromPPD(&ppd), c.coreFoundation) << (c.name ? c.name : "null");
        EXPECT_EQ(cf::encodingFromNSStringEncoding(c.appKit), c.coreFoundation);
    }
    EXPECT_EQ(PDECommon::commonGetEncodingFromPPD(nullptr), 30u);
    EXPECT_EQ(PDECommon::commonGetCFStringEncodingFromPPD(nullptr), 0u);
}

// libcups hands over every text in UTF-8 and says so in lang_encoding; another name in that field
// decodes the same bytes with the table's character set, in the menu and in the choice list alike.
TEST(PPDEncoding, TextsDecodeWithTheFieldsCharacterSet)
{
    auto ppd = openPPD(dataPPD("binding.ppd"));
    ASSERT_NE(ppd, nullptr);
    ASSERT_STREQ(ppd->lang_encoding, "UTF-8");

    struct Case {
        const char* name;
        const char* beta;
    };
    const Case cases[] = {
        {"UTF-8", "Beta (caf\xC3\xA9)"}, {"UTF8", "Beta (caf\xC3\xA9)"},
        {"ISOLatin1", "Beta (caf\xC3\x83\xC2\xA9)"},          // Ã ©
        {"WindowsANSI", "Beta (caf\xC3\x83\xC2\xA9)"},        // Ã ©
        {"JIS83-RKSJ", "Beta (caf\xEF\xBE\x83\xEF\xBD\xA9)"}, // half-width ﾃ ｩ
        {"utf-8", "Beta (caf\xE2\x88\x9A\xC2\xA9)"},          // Mac OS Roman: √ ©
    };
    for (const auto& c : cases) {
        bindingtest::ScopedEncoding encoding(ppd.get(), c.name);
        bindingtest::Panel panel;
        ui::PopUpButton* popUp = panel.popUp("TLPop");
        PDEControlRecord* table = panel.buildWithItems(ppd.get());
        ASSERT_NE(table[0].choices, nullptr);
        EXPECT_EQ((*table[0].choices)[1].text, c.beta) << c.name;
        EXPECT_EQ(popUp->itemTitleAtIndex(1), c.beta) << c.name;
        EXPECT_EQ((*table[0].choices)[1].keyword, "Beta") << c.name;
    }
}

// Every sample file shows its true texts: libcups converted them once, the panel decodes them once.
// A file whose texts libcups could not convert still gives one entry and one item per choice.
TEST(PPDEncoding, SampleFilesShowTheirTexts)
{
    struct Case {
        const char* file;
        std::vector<std::string> quickColor;
    };
    const Case cases[] = {
        {"zq4410.ppd", {"Standard", "Photo", "Vivid", "Custom"}},
        {"zq4410-latin1.ppd", {"Standard (Büro)", "Photo (qualité)", "Vivid (Präsentation)", "Custom (Maß)"}},
        {"zq4410-noencoding.ppd", {"Standard (Büro)", "Photo (qualité)", "Vivid (Präsentation)", "Custom (Maß)"}},
        {"zq4410-cp1252.ppd", {"Standard™", "Photo – Smooth", "Vivid “Presentation”", "Custom ‘User’"}},
        {"zq4410-sjis.ppd", {"標準", "写真", "鮮やか", "カスタム"}},
        {"zq4410-utf8.ppd", {"Standard™", "Photo (qualité)", "Vivid “Présentation”", "Custom (カスタム)"}},
        {"zq4410-utf8-nohyphen.ppd", {"Standard™", "Photo (qualité)", "Vivid “Présentation”", "Custom (カスタム)"}},
        {"zq4410-unknown.ppd", {"Standard™", "Photo (qualité)", "Vivid (Präsentation)", "Custom – Maß"}},
        {"zq4410-undecodable.ppd", {"", "", "", ""}},
    };
    for (const auto& c : cases) {
        auto ppd = openPPD(testpaths::ppd(c.file));
        ASSERT_NE(ppd, nullptr) << c.file;
        bindingtest::Panel panel;
        ui::PopUpButton* quickColor = panel.popUp("TLQuickColor");
        PDEControlRecord* table = panel.buildWithItems(ppd.get());
        ASSERT_NE(table[0].choices, nullptr) << c.file;
        EXPECT_EQ(choiceTexts(*table[0].choices), c.quickColor) << c.file;
        EXPECT_EQ(itemTitles(*quickColor), c.quickColor) << c.file;
        EXPECT_EQ(quickColor->items()[3].representedObject, "CustomSettings") << c.file;
        EXPECT_EQ((*table[0].choices)[3].keyword, "CustomSettings") << c.file;
    }
}

TEST(PPDEncoding, ATextThatDoesNotDecodeKeepsItsPlace)
{
    auto ppd = openPPD(dataPPD("binding.ppd"));
    ppd_option_t* option = ppdFindOption(ppd.get(), "TLPop");
    ASSERT_NE(option, nullptr);
    std::strcpy(option->choices[1].text, "Beta \xFF\xFE");

    bindingtest::Panel panel;
    ui::PopUpButton* popUp = panel.popUp("TLPop");
    PDEControlRecord* table = panel.buildWithItems(ppd.get());
    EXPECT_EQ(choiceTexts(*table[0].choices), (std::vector<std::string>{"Alpha", "", "Gamma"}));
    EXPECT_EQ(itemTitles(*popUp), (std::vector<std::string>{"Alpha", "", "Gamma"}));
    EXPECT_EQ(popUp->items()[1].representedObject, "Beta");
}

TEST(ChoiceList, EntriesHoldFiveStringsInPPDOrder)
{
    auto ppd = openPPD(dataPPD("binding.ppd"));
    ChoiceList* list = nullptr;
    ASSERT_EQ(PDECommon::commonGetPPDArrayForUIOption(ppd.get(), "TLPop", &list), tlco::noErr);
    std::unique_ptr<ChoiceList> owned(list);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(*list,
        (ChoiceList{
            ChoiceEntry{"TLPop", "Beta", "Alpha", "Alpha", "ConflictFalse"},
            ChoiceEntry{"TLPop", "Beta", "Beta", "Beta (caf\xC3\xA9)", "ConflictFalse"},
            ChoiceEntry{"TLPop", "Beta", "Gamma", "Gamma", "ConflictFalse"},
        }));

    int16_t count = 10;
    EXPECT_EQ(PDECommon::commonGetUIListFromPPD(ppd.get(), "TLSwitch", &list, &count), tlco::noErr);
    EXPECT_EQ(count, 12);
    EXPECT_EQ(list->size(), 5u);
    EXPECT_EQ((*list)[3], (ChoiceEntry{"TLSwitch", "False", "True", "On", "ConflictTrue"}));
}

TEST(ChoiceList, MissingKeywordLeavesTheReferenceAlone)
{
    auto ppd = openPPD(dataPPD("binding.ppd"));
    ChoiceList sentinel;
    ChoiceList* list = &sentinel;
    EXPECT_EQ(PDECommon::commonGetPPDArrayForUIOption(ppd.get(), "TLNothing", &list), tlco::kPMPPDOptionNotFound);
    EXPECT_EQ(list, &sentinel);
    EXPECT_EQ(PDECommon::commonGetPPDArrayForUIOption(nullptr, "TLPop", &list), tlco::kPMPPDOptionNotFound);
    EXPECT_EQ(list, &sentinel);

    int16_t count = 0;
    EXPECT_EQ(PDECommon::commonGetUIListFromPPD(ppd.get(), "TLNothing", &list, &count), tlco::noErr);
    EXPECT_TRUE(sentinel.empty());
    EXPECT_EQ(count, 0);
}

// Defaults: Pop Beta, NoDefault none (its default is no choice), Switch False, Guarded Locked,
// Follower One. Constraints: Switch True with Guarded Locked, NoDefault One with Follower Two.
TEST(ChoiceList, ConflictMarksAreTakenAgainstTheMarkedOptions)
{
    auto ppd = openPPD(dataPPD("binding.ppd"));
    bindingtest::Panel panel;
    panel.checkBox("TLSwitch");
    panel.popUp("TLGuarded");
    panel.popUp("TLNoDefault");
    panel.popUp("TLFollower");
    PDEControlRecord* table = panel.build(ppd.get());

    auto marks = [&](size_t index) {
        std::vector<std::string> result;
        for (const auto& entry : *table[index].choices) result.push_back(entry.conflict);
        return result;
    };
    EXPECT_EQ(marks(0), (std::vector<std::string>{"ConflictTrue", "ConflictFalse"}));
    EXPECT_EQ(marks(1), (std::vector<std::string>{"ConflictFalse", "ConflictFalse"}));
    EXPECT_EQ(marks(2), (std::vector<std::string>{"ConflictFalse", "ConflictFalse"}));
    // NoDefault had nothing marked and has nothing marked after its trials, so Two is free.
    EXPECT_EQ(marks(3), (std::vector<std::string>{"ConflictFalse", "ConflictFalse"}));
}

TEST(ChoiceList, AnOptionOfManyChoicesIsMarkedInOnePass)
{
    std::string text;
    {
        std::ifstream in(dataPPD("binding.ppd"));
        text.assign(std::istreambuf_iterator<char>(in), {});
    }
    std::string many;
    constexpr int kChoices = 100000;
    for (int i = 0; i < kChoices; ++i) many += "*TLPop H" + std::to_string(i) + "/H" + std::to_string(i) + ": \"\"\n";
    text.insert(text.find("*CloseUI: *TLPop"), many);
    text += "*UIConstraints: *TLPop H777 *TLSwitch False\n*UIConstraints: *TLSwitch False *TLPop H777\n";
    const std::string path = ::testing::TempDir() + "/many-choices.ppd";
    std::ofstream(path) << text;
    auto ppd = openPPD(path);
    ASSERT_TRUE(ppd);

    bindingtest::Panel panel;
    panel.popUp("TLPop");
    const auto start = std::chrono::steady_clock::now();
    PDEControlRecord* table = panel.build(ppd.get());
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
    ASSERT_GT(table[0].choices->size(), static_cast<size_t>(kChoices));
    std::vector<std::string> conflicted;
    for (const auto& entry : *table[0].choices)
        if (entry.conflict == "ConflictTrue") conflicted.push_back(entry.keyword);
    EXPECT_EQ(conflicted, std::vector<std::string>{"H777"});
}

TEST(ChoiceList, TrialMarksAreUndone)
{
    auto ppd = openPPD(dataPPD("binding.ppd"));
    const char* options[] = {"TLPop", "TLNoDefault", "TLSwitch", "TLGuarded", "TLFollower", "TLOddSwitch"};
    auto markedChoices = [&] {
        std::vector<std::string> result;
        for (const char* option : options) {
            ppd_choice_t* marked = ppdFindMarkedChoice(ppd.get(), option);
            result.push_back(marked ? marked->choice : "-");
        }
        return result;
    };
    const auto before = markedChoices();
    ASSERT_EQ(before, (std::vector<std::string>{"Beta", "-", "False", "Locked", "One", "Yes"}));

    bindingtest::Panel panel;
    for (const char* option : options) panel.popUp(option);
    panel.build(ppd.get());

    EXPECT_EQ(markedChoices(), before);
    ppd_option_t* noDefault = ppdFindOption(ppd.get(), "TLNoDefault");
    for (int i = 0; i < noDefault->num_choices; ++i) EXPECT_EQ(noDefault->choices[i].marked, 0) << i;
    EXPECT_FALSE(ppdIsMarked(ppd.get(), "TLNoDefault", "One"));
    EXPECT_EQ(ppdConflicts(ppd.get()), 0);
}

TEST(ConflictTest, MarkedChoiceAnswersWithTheOptionsConflictFlag)
{
    auto ppd = openPPD(dataPPD("binding.ppd"));
    EXPECT_FALSE(PDECommon::commonIsPPDChoiceConflicted(ppd.get(), "TLSwitch", "False"));
    EXPECT_TRUE(PDECommon::commonIsPPDChoiceConflicted(ppd.get(), "TLSwitch", "True"));
    EXPECT_FALSE(PDECommon::commonIsPPDChoiceConflicted(ppd.get(), "TLGuarded", "Open"));

    ASSERT_GT(ppdMarkOption(ppd.get(), "TLSwitch", "True"), 0);
    EXPECT_TRUE(PDECommon::commonIsPPDChoiceConflicted(ppd.get(), "TLSwitch", "True"));
    EXPECT_TRUE(PDECommon::commonIsPPDChoiceConflicted(ppd.get(), "TLGuarded", "Locked"));
    EXPECT_FALSE(PDECommon::commonIsPPDChoiceConflicted(ppd.get(), "TLGuarded", "Open"));
    EXPECT_TRUE(ppdIsMarked(ppd.get(), "TLGuarded", "Locked"));

    EXPECT_FALSE(PDECommon::commonIsPPDChoiceConflicted(ppd.get(), "TLNothing", "True"));
    EXPECT_FALSE(PDECommon::commonIsPPDChoiceConflicted(nullptr, "TLSwitch", "True"));
    // A choice the option does not have marks nothing and leaves nothing marked.
    EXPECT_FALSE(PDECommon::commonIsPPDChoiceConflicted(ppd.get(), "TLNoDefault", "Three"));
    EXPECT_EQ(ppdFindMarkedChoice(ppd.get(), "TLNoDefault"), nullptr);
}

TEST(PairMatch, FindsTheFirstEntryWithBothKeywords)
{
    const ChoiceList list{
        ChoiceEntry{"TLPop", "Beta", "Alpha", "Alpha", "ConflictFalse"},
        ChoiceEntry{"TLPop", "Beta", "Beta", "Beta", "ConflictFalse"},
        ChoiceEntry{"TLPop", "Beta", "Beta", "Again", "ConflictFalse"},
    };
    struct Case {
        const char* option;
        const char* choice;
        int32_t position;
    };
    const Case cases[] = {
        {"TLPop", "Alpha", 0},
        {"TLPop", "Beta", 1},
        {"TLOther", "Beta", -1},
        {"TLPop", "beta", -1},
        {"TLPop", "", -1},
        {"", "Alpha", -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PDECommon::commonFindPPDKeyPairsMatch(&list, c.option, c.choice), c.position)
            << c.option << " " << c.choice;
    EXPECT_EQ(PDECommon::commonFindPPDKeyPairsMatch(nullptr, "TLPop", "Alpha"), -1);
}

TEST(TicketValue, StoredChoiceBecomesAControlValue)
{
    auto ppd = openPPD(dataPPD("binding.ppd"));
    bindingtest::Panel panel;
    panel.popUp("TLPop");
    panel.checkBox("TLSwitch");
    panel.label("Label");
    PDEControlRecord* table = panel.build(ppd.get());

    struct Case {
        size_t record;
        cf::Ref stored;
        int32_t value;
    };
    const Case cases[] = {
        {0, cf::String::create("Gamma"), 2},
        {0, cf::String::create("gamma"), -1},
        {0, cf::Number::create(int64_t{1}), -1},
        {1, cf::String::create("True"), 1},
        {1, cf::String::create("TRUE"), 1},
        {1, cf::String::create("true"), 1},
        {1, cf::String::create("tRUE"), 0},
        {1, cf::String::create("Yes"), 0},
        {1, cf::String::create("False"), 0},
        {1, cf::Number::create(int64_t{1}), 0},
        {1, nullptr, 0},
        {2, cf::String::create("True"), 0},
    };
    for (const auto& c : cases) {
        const char* key = table[c.record].ppdKey;
        EXPECT_EQ(PDECommon::commonGetTicketValueWithSInt32(&table[c.record], key, c.stored), c.value) << c.record;
    }
    EXPECT_EQ(PDECommon::commonGetTicketValueWithSInt32(&table[0], "TLOther", cf::String::create("Gamma")), -1);
    EXPECT_EQ(PDECommon::commonGetTicketValueWithSInt32(nullptr, "TLPop", cf::String::create("Gamma")), 0);
}

TEST(Defaults, EveryBoundControlGoesToItsPPDDefault)
{
    auto ppd = openPPD(dataPPD("binding.ppd"));
    bindingtest::Panel panel;
    ui::PopUpButton* pop = panel.popUp("TLPop");
    ui::PopUpButton* noDefault = panel.popUp("TLNoDefault");
    ui::CheckBox* switchBox = panel.checkBox("TLSwitch");
    ui::PopUpButton* missing = panel.popUp("TLNothing");
    ui::Label* label = panel.label("Label");
    missing->addItemWithTitle("from the interface description");
    missing->addItemWithTitle("second");
    PDEControlRecord* table = panel.buildWithItems(ppd.get());
    // Without the option in the PPD the pop-up keeps its items.
    EXPECT_EQ(itemTitles(*missing), (std::vector<std::string>{"from the interface description", "second"}));
    EXPECT_EQ(pop->items()[2].representedObject, "Gamma");
    missing->selectItemAtIndex(1);
    pop->selectItemAtIndex(2);
    switchBox->setState(1);

    EXPECT_EQ(PDECommon::commonGetDefualtValueFromPPDWithSInt32(&table[0]), 1);
    EXPECT_EQ(PDECommon::commonGetDefualtValueFromPPDWithSInt32(&table[1]), -1);
    EXPECT_EQ(PDECommon::commonGetDefualtValueFromPPDWithSInt32(&table[2]), 0);
    EXPECT_EQ(PDECommon::commonGetDefualtValueFromPPDWithSInt32(&table[3]), 0);
    EXPECT_EQ(PDECommon::commonGetDefualtValueFromPPDWithSInt32(nullptr), 0);

    PDECommon::commonDefaultFromPPDInfo(table);
    EXPECT_EQ(pop->indexOfSelectedItem(), 1);
    EXPECT_EQ(noDefault->indexOfSelectedItem(), -1); // a default that is no choice selects nothing
    EXPECT_EQ(switchBox->state(), 0);
    EXPECT_EQ(missing->indexOfSelectedItem(), 0); // no list: the default is 0
    EXPECT_EQ(label->stringValue(), "");
    PDECommon::commonDefaultFromPPDInfo(nullptr);
}

TEST(ShownValue, PositionAndTextOfWhatTheControlShows)
{
    auto ppd = openPPD(testpaths::ppd("zq4410.ppd"));
    bindingtest::Panel panel;
    ui::PopUpButton* destination = panel.popUp("TLImageDestinationProfile", nullptr, tlco::kProfileKindDestination);
    ui::CheckBox* gray = panel.checkBox("TLColorAsGray");
    panel.checkBox("TLQuickColor"); // bound to an option without True/False
    panel.label("Quick Color:");
    PDEControlRecord* table = panel.buildWithItems(ppd.get());
    destination->addItemWithTitle("MY.ICC(Office)Card");
    destination->addItemWithTitle("OTHER.ICC(Print)Disk");
    ASSERT_EQ(destination->numberOfItems(), 6);

    destination->selectItemAtIndex(4);
    EXPECT_EQ(PDECommon::commonGetControlValueFromPPDWithSInt32(&table[0]), 4); // past the four PPD choices
    EXPECT_EQ(PDECommon::commonGetControlValueFromPPDWithNSString(&table[0])->utf8(), "MY.ICC(Office)Card");
    destination->selectItemAtIndex(1);
    EXPECT_EQ(PDECommon::commonGetControlValueFromPPDWithNSString(&table[0])->utf8(), "Standard");
    destination->selectItemAtIndex(-1);
    EXPECT_EQ(PDECommon::commonGetControlValueFromPPDWithSInt32(&table[0]), -1);
    EXPECT_EQ(PDECommon::commonGetControlValueFromPPDWithNSString(&table[0]), nullptr);

    // TLColorAsGray lists True first, then False.
    gray->setState(1);
    EXPECT_EQ(PDECommon::commonGetControlValueFromPPDWithSInt32(&table[1]), 0);
    EXPECT_EQ(PDECommon::commonGetControlValueFromPPDWithNSString(&table[1])->utf8(), "On");
    gray->setState(0);
    EXPECT_EQ(PDECommon::commonGetControlValueFromPPDWithSInt32(&table[1]), 1);
    EXPECT_EQ(PDECommon::commonGetControlValueFromPPDWithNSString(&table[1])->utf8(), "Off");

    EXPECT_EQ(PDECommon::commonGetControlValueFromPPDWithSInt32(&table[2]), -1);
    EXPECT_EQ(PDECommon::commonGetControlValueFromPPDWithNSString(&table[2]), nullptr);
    EXPECT_EQ(PDECommon::commonGetControlValueFromPPDWithSInt32(&table[3]), 0);
    EXPECT_EQ(PDECommon::commonGetControlValueFromPPDWithNSString(&table[3]), nullptr);
    EXPECT_EQ(PDECommon::commonGetControlValueFromPPDWithSInt32(nullptr), 0);
    EXPECT_EQ(PDECommon::commonGetControlValueFromPPDWithNSString(nullptr), nullptr);
}

TEST(Titles, NothingIsSetWithoutABundle)
{
    tlco::pluginBundle = nullptr;
    bindingtest::Panel panel;
    ui::Label* label = panel.label("Quick Color:");
    ui::CheckBox* checkBox = panel.checkBox("TLColorAsGray", "Color as Grayscale");
    ui::TabView* tabs = panel.tabView("Image", 4);
    auto ppd = openPPD(testpaths::ppd("zq4410.ppd"));
    panel.buildWithItems(ppd.get());
    EXPECT_EQ(label->stringValue(), "");
    EXPECT_EQ(checkBox->title(), "");
    EXPECT_EQ(tabs->items()[0].label, "page0");
}

TEST_F(LocalizedTest, TitlesComeFromTheLocalizationTableWithTheKeyAsFallback)
{
    bindingtest::Panel panel;
    ui::Label* label = panel.label("Quick Color:");
    ui::CheckBox* checkBox = panel.checkBox("TLColorAsGray", "Color as Grayscale");
    ui::Button* button = panel.button("Advanced Color Options");
    ui::TabView* tabs = panel.tabView("Image", 4);
    ui::TabView* fewTabs = panel.tabView("Image", 2);
    ui::TabView* plainTabs = panel.tabView(nullptr, 4);
    ui::Label* untitled = panel.label(nullptr);
    ui::PopUpButton* popUp = panel.popUp("TLQuickColor");
    auto ppd = openPPD(testpaths::ppd("zq4410.ppd"));
    panel.buildWithItems(ppd.get());

    EXPECT_EQ(label->stringValue(), "Quick Color:");
    EXPECT_EQ(checkBox->title(), "Color as Grayscale");
    EXPECT_EQ(button->title(), "Advanced Color Options");
    std::vector<std::string> labels;
    for (const auto& item : tabs->items()) labels.push_back(item.label);
    EXPECT_EQ(labels, (std::vector<std::string>{"Image", "Text", "Graphics", "Simulation"}));
    EXPECT_EQ(fewTabs->items()[1].label, "Text");
    EXPECT_EQ(plainTabs->items()[0].label, "page0");
    EXPECT_EQ(untitled->stringValue(), "");
    EXPECT_EQ(itemTitles(*popUp), (std::vector<std::string>{"Standard", "Photo", "Vivid", "Custom"}));
}

TEST(ProductName, IsTheModelCode)
{
    EXPECT_STREQ(PDECommon::commonGetPPDProductName(nullptr), "zq4410");
}

} // namespace
