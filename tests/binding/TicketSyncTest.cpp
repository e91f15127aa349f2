// SPDX-License-Identifier: Apache-2.0
// Print-settings synchronisation: the model dictionary per queue, both directions, the flat copy,
// and the ways a ticket or a PPD can fail the panel.
#include "BindingTestSupport.h"

#include "base/Status.h"
#include "cf/Number.h"
#include "print/PMCalls.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

using bindingtest::openPPD;
using tlco::PDECommon;
using tlco::PDEControlRecord;

namespace {

using Entries = std::map<std::string, std::string>;

// String entries of a dictionary; other values show as their type.
Entries stringEntries(const cf::Dictionary& dictionary)
{
    Entries entries;
    for (const auto& [key, value] : dictionary.stringEntries()) {
        auto text = cf::as<cf::String>(value);
        entries[key] = text ? text->utf8() : "<not a string>";
    }
    return entries;
}

class TicketSync : public ::testing::Test {
protected:
    void SetUp() override
    {
        ppd = openPPD(testpaths::ppd("zq4410.ppd"));
        ASSERT_NE(ppd, nullptr);
        quickColor = panel.popUp("TLQuickColor");
        brightness = panel.popUp("TLBrightness");
        gray = panel.checkBox("TLColorAsGray");
        separation = panel.checkBox("TLColorSeparation");
        econo = panel.checkBox("TLEconoMode");
        panel.label("EdgeType:");
        edge = panel.popUp("TLEdgeType");
        table = panel.buildWithItems(ppd.get());
        PDECommon::commonDefaultFromPPDInfo(table);
    }

    cf::DictionaryRef model(const std::string& queue)
    {
        auto queues = ticket.values()->getDictionary("zq4410");
        return queues ? queues->getDictionary(queue) : nullptr;
    }
    int32_t write() { return PDECommon::commonSyncTicketFromPane(&ticket, &session, table); }
    int32_t read() { return PDECommon::commonSyncPaneFromTicket(&ticket, &session, table); }
    std::vector<int> shown()
    {
        return {quickColor->indexOfSelectedItem(), brightness->indexOfSelectedItem(), gray->state(),
            separation->state(), econo->state(), edge->indexOfSelectedItem()};
    }
    void setShown(const std::vector<int>& values)
    {
        quickColor->selectItemAtIndex(values[0]);
        brightness->selectItemAtIndex(values[1]);
        gray->setState(values[2]);
        separation->setState(values[3]);
        econo->setState(values[4]);
        edge->selectItemAtIndex(values[5]);
    }

    bindingtest::PPDFile ppd;
    bindingtest::Panel panel;
    ui::PopUpButton* quickColor = nullptr;
    ui::PopUpButton* brightness = nullptr;
    ui::CheckBox* gray = nullptr;
    ui::CheckBox* separation = nullptr;
    ui::CheckBox* econo = nullptr;
    ui::PopUpButton* edge = nullptr;
    PDEControlRecord* table = nullptr;
    pm::PrintSettings ticket;
    pm::Session session{std::make_shared<pm::Printer>("Queue_A", std::nullopt)};
};

const std::vector<int> kDefaults = {0, 2, 0, 0, 0, 1};

TEST_F(TicketSync, ReadingAFreshTicketCreatesAnEmptyModelDictionaryAndShowsDefaults)
{
    setShown({2, 4, 1, 1, 1, 2});
    EXPECT_EQ(read(), tlco::noErr);
    EXPECT_EQ(shown(), kDefaults);
    ASSERT_NE(model("Queue_A"), nullptr);
    EXPECT_EQ(model("Queue_A")->count(), 0u);
    EXPECT_EQ(ticket.values()->count(), 1u);
}

TEST_F(TicketSync, WritingFillsTheModelDictionaryInPlaceAndItsFlatCopy)
{
    cf::DictionaryRef held = PDECommon::commonGetModelDictionary(&ticket, &session);
    ASSERT_NE(held, nullptr);
    setShown({2, 0, 1, 0, 1, 0});
    EXPECT_EQ(write(), tlco::noErr);

    const Entries expected = {{"TLQuickColor", "Vivid"}, {"TLBrightness", "Minus2"}, {"TLColorAsGray", "True"},
        {"TLColorSeparation", "False"}, {"TLEconoMode", "True"}, {"TLEdgeType", "Off"}};
    EXPECT_EQ(model("Queue_A"), held);
    EXPECT_EQ(stringEntries(*held), expected);
    Entries topLevel = stringEntries(*ticket.values());
    topLevel.erase("zq4410");
    EXPECT_EQ(topLevel, expected);

    PDECommon::commonDefaultFromPPDInfo(table);
    EXPECT_EQ(read(), tlco::noErr);
    EXPECT_EQ(shown(), (std::vector<int>{2, 0, 1, 0, 1, 0}));
}

TEST_F(TicketSync, CheckBoxReadsAnyCaseOfTrueAndWritesThePPDKeyword)
{
    auto stored = PDECommon::commonGetModelDictionary(&ticket, &session);
    stored->set("TLColorAsGray", cf::String::create("TRUE"));
    stored->set("TLColorSeparation", cf::String::create("Yes"));
    separation->setState(1);
    read();
    EXPECT_EQ(gray->state(), 1);
    EXPECT_EQ(separation->state(), 0);
    write();
    EXPECT_EQ(stored->getString("TLColorAsGray")->utf8(), "True");
    EXPECT_EQ(ticket.values()->getString("TLColorAsGray")->utf8(), "True");
}

TEST_F(TicketSync, StoredValuesThatNameNoChoiceLeaveTheControl)
{
    auto stored = PDECommon::commonGetModelDictionary(&ticket, &session);
    stored->set("TLQuickColor", cf::String::create("Sepia"));
    stored->set("TLBrightness", cf::Number::create(int64_t{3}));
    stored->set("TLEdgeType", cf::String::create("strong")); // keywords are case-sensitive
    setShown({2, 4, 1, 1, 1, 2});
    read();
    // The three stored values leave their pop-ups; the absent check-box keys give the defaults.
    EXPECT_EQ(shown(), (std::vector<int>{2, 4, 0, 0, 0, 2}));
    // The flat copy carries whatever the model dictionary holds.
    EXPECT_TRUE(cf::isType(ticket.values()->get("TLBrightness"), cf::TypeID::Number));
}

TEST_F(TicketSync, EachQueueKeepsItsOwnModelDictionary)
{
    setShown({2, 2, 0, 0, 0, 1});
    write();
    session.setCurrentPrinter(std::make_shared<pm::Printer>("Queue_B", std::nullopt));
    setShown({1, 2, 0, 0, 0, 1});
    write();

    EXPECT_EQ(model("Queue_A")->getString("TLQuickColor")->utf8(), "Vivid");
    EXPECT_EQ(model("Queue_B")->getString("TLQuickColor")->utf8(), "Photo");
    EXPECT_EQ(ticket.values()->getString("TLQuickColor")->utf8(), "Photo"); // the last write wins

    session.setCurrentPrinter(std::make_shared<pm::Printer>("Queue_A", std::nullopt));
    read();
    EXPECT_EQ(quickColor->indexOfSelectedItem(), 2);
    EXPECT_EQ(ticket.values()->getString("TLQuickColor")->utf8(), "Vivid");
}

TEST_F(TicketSync, WithoutACurrentPrinterNothingIsReadOrWritten)
{
    pm::Session noPrinter;
    setShown({2, 4, 1, 1, 1, 2});
    EXPECT_EQ(PDECommon::commonSyncPaneFromTicket(&ticket, &noPrinter, table), tlco::noErr);
    EXPECT_EQ(PDECommon::commonSyncTicketFromPane(&ticket, &noPrinter, table), tlco::noErr);
    EXPECT_EQ(PDECommon::commonSyncTicketFromPane(&ticket, nullptr, table), tlco::noErr);
    EXPECT_EQ(PDECommon::commonSyncPaneFromTicket(nullptr, &session, table), tlco::noErr);
    EXPECT_EQ(shown(), (std::vector<int>{2, 4, 1, 1, 1, 2}));
    // At most the empty dictionary under the model code.
    EXPECT_EQ(ticket.values()->count(), 1u);
    ASSERT_NE(ticket.values()->getDictionary("zq4410"), nullptr);
    EXPECT_EQ(ticket.values()->getDictionary("zq4410")->count(), 0u);
    EXPECT_EQ(PDECommon::commonGetPrintQueueName(&noPrinter), nullptr);
    EXPECT_EQ(PDECommon::commonGetPrintQueueName(nullptr), nullptr);
    EXPECT_EQ(PDECommon::commonGetPrintQueueName(&session)->utf8(), "Queue_A");
}

TEST_F(TicketSync, ValuesOfAnotherTypeCountAsNoModelDictionaryUntilASaveReplacesThem)
{
    struct Case {
        const char* name;
        std::function<void(cf::Dictionary&)> store;
    };
    const Case cases[] = {
        {"string under the model code", [](cf::Dictionary& t) { t.set("zq4410", cf::String::create("x")); }},
        {"string under the queue",
            [](cf::Dictionary& t) {
                auto queues = cf::Dictionary::create();
                queues->set("Queue_A", cf::String::create("x"));
                t.set("zq4410", queues);
            }},
        {"array under the queue",
            [](cf::Dictionary& t) {
                auto queues = cf::Dictionary::create();
                queues->set("Queue_A", cf::Array::create());
                t.set("zq4410", queues);
            }},
    };
    for (const auto& c : cases) {
        pm::PrintSettings settings;
        c.store(*settings.values());
        setShown({2, 4, 1, 1, 1, 2});
        EXPECT_EQ(PDECommon::commonGetModelDictionary(&settings, &session), nullptr) << c.name;
        EXPECT_EQ(PDECommon::commonSyncPaneFromTicket(&settings, &session, table), tlco::noErr) << c.name;
        EXPECT_EQ(shown(), (std::vector<int>{2, 4, 1, 1, 1, 2})) << c.name;
        EXPECT_EQ(settings.values()->count(), 1u) << c.name;
        // A save replaces the value with a dictionary, else no save would ever be stored.
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(PDECommon::commonSyncTicketFromPane(&settings, &session, table), tlco::noErr) << c.name;
        EXPECT_NE(::testing::internal::GetCapturedStderr().find("is replaced"), std::string::npos) << c.name;
        ASSERT_NE(PDECommon::commonGetModelDictionary(&settings, &session), nullptr) << c.name;
        EXPECT_GT(PDECommon::commonGetModelDictionary(&settings, &session)->count(), 0u) << c.name;
    }
}

TEST(TicketSyncMissing, KeywordsTheBoundPPDLacks)
{
    // zq4410-missing.ppd has no TLBrightness; binding.ppd has no TLColorAsGray.
    auto missing = openPPD(testpaths::ppd("zq4410-missing.ppd"));
    auto small = openPPD(bindingtest::dataPPD("binding.ppd"));
    bindingtest::Panel panel;
    ui::PopUpButton* brightness = panel.popUp("TLBrightness");
    ui::PopUpButton* quickColor = panel.popUp("TLQuickColor");
    PDEControlRecord* table = panel.buildWithItems(missing.get());
    for (const char* title : {"one", "two", "three"}) brightness->addItemWithTitle(title);
    bindingtest::Panel other;
    ui::CheckBox* gray = other.checkBox("TLColorAsGray");
    PDEControlRecord* otherTable = other.build(small.get());
    ASSERT_EQ(table[0].choices, nullptr);
    ASSERT_EQ(otherTable[0].choices, nullptr);

    pm::PrintSettings ticket;
    pm::Session session(std::make_shared<pm::Printer>("Queue_A", std::nullopt));
    brightness->selectItemAtIndex(2);
    PDECommon::commonSyncTicketFromPane(&ticket, &session, table);
    auto model = PDECommon::commonGetModelDictionary(&ticket, &session);
    EXPECT_EQ(stringEntries(*model), (Entries{{"TLQuickColor", "Standard"}}));

    // Absent key: the default without a list, 0.
    PDECommon::commonSyncPaneFromTicket(&ticket, &session, table);
    EXPECT_EQ(brightness->indexOfSelectedItem(), 0);
    // A stored choice cannot be found without a list.
    brightness->selectItemAtIndex(2);
    model->set("TLBrightness", cf::String::create("Minus1"));
    PDECommon::commonSyncPaneFromTicket(&ticket, &session, table);
    EXPECT_EQ(brightness->indexOfSelectedItem(), 2);
    EXPECT_EQ(quickColor->indexOfSelectedItem(), 0);

    // A check box needs no list to read a stored value; it writes nothing without one.
    model->set("TLColorAsGray", cf::String::create("true"));
    PDECommon::commonSyncPaneFromTicket(&ticket, &session, otherTable);
    EXPECT_EQ(gray->state(), 1);
    model->remove("TLColorAsGray");
    PDECommon::commonSyncTicketFromPane(&ticket, &session, otherTable);
    EXPECT_FALSE(model->contains("TLColorAsGray"));
    PDECommon::commonSyncPaneFromTicket(&ticket, &session, otherTable);
    EXPECT_EQ(gray->state(), 0);
}

TEST(TicketSyncSelection, APopUpShowingNothingWritesNothing)
{
    auto ppd = openPPD(bindingtest::dataPPD("binding.ppd"));
    bindingtest::Panel panel;
    ui::PopUpButton* noDefault = panel.popUp("TLNoDefault");
    panel.popUp("TLPop");
    PDEControlRecord* table = panel.buildWithItems(ppd.get());
    PDECommon::commonDefaultFromPPDInfo(table);
    ASSERT_EQ(noDefault->indexOfSelectedItem(), -1);

    pm::PrintSettings ticket;
    pm::Session session(std::make_shared<pm::Printer>("Queue_A", std::nullopt));
    PDECommon::commonSyncTicketFromPane(&ticket, &session, table);
    EXPECT_EQ(stringEntries(*PDECommon::commonGetModelDictionary(&ticket, &session)), (Entries{{"TLPop", "Beta"}}));
}

TEST(DictionaryHelpers, TypedLookUp)
{
    auto inner = cf::Dictionary::create();
    auto outer = cf::Dictionary::create();
    outer->set("dict", inner);
    outer->set("text", cf::String::create("x"));
    const auto key = [](const char* text) { return cf::String::create(text); };

    EXPECT_EQ(PDECommon::commonCFDictionaryGetValueWithType(outer, key("dict")), inner);
    EXPECT_EQ(PDECommon::commonCFDictionaryGetValueWithType(outer, key("text")), nullptr);
    EXPECT_EQ(PDECommon::commonCFDictionaryGetValueWithType(outer, key("absent")), nullptr);
    EXPECT_EQ(PDECommon::commonCFDictionaryGetValueWithType(outer, nullptr), nullptr);
    EXPECT_EQ(PDECommon::commonCFDictionaryGetValueWithType(inner, key("dict")), nullptr);
    EXPECT_EQ(PDECommon::commonCFDictionaryGetValueWithType(cf::String::create("dict"), key("dict")), nullptr);
    EXPECT_EQ(PDECommon::commonCFDictionaryGetValueWithType(nullptr, key("dict")), nullptr);

    EXPECT_TRUE(PDECommon::commonCFTypeIsValid(inner, cf::TypeID::Dictionary));
    EXPECT_FALSE(PDECommon::commonCFTypeIsValid(inner, cf::TypeID::String));
    EXPECT_FALSE(PDECommon::commonCFTypeIsValid(nullptr, cf::TypeID::Dictionary));
}

TEST(DictionaryHelpers, FlatCopyTakesStringKeysOnly)
{
    pm::PrintSettings ticket;
    ticket.values()->set("Locked", cf::String::create("kept"));
    ticket.lock("Locked");
    auto source = cf::Dictionary::create();
    source->set("TLQuickColor", cf::String::create("Photo"));
    source->set("Locked", cf::String::create("changed"));
    source->set("Nested", cf::Dictionary::create());
    source->setWithKey(cf::Number::create(int64_t{7}), cf::String::create("numeric key"));

    EXPECT_EQ(PDECommon::commonCFDictionaryMapToTicket(&ticket, source), tlco::noErr);
    EXPECT_EQ(ticket.values()->getString("TLQuickColor")->utf8(), "Photo");
    EXPECT_EQ(ticket.values()->getString("Locked")->utf8(), "kept");
    EXPECT_NE(ticket.values()->getDictionary("Nested"), nullptr);
    EXPECT_EQ(ticket.values()->count(), 3u);

    EXPECT_EQ(PDECommon::commonCFDictionaryMapToTicket(nullptr, source), tlco::paramErr);
    EXPECT_EQ(PDECommon::commonCFDictionaryMapToTicket(&ticket, nullptr), tlco::paramErr);
}

} // namespace
