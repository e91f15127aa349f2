// SPDX-License-Identifier: Apache-2.0
// The view switching controller and the views' tables as the panel builds them.
#include "support/PanelHarness.h"

#include "binding/PDECommon.h"
#include "panels/PainChangeController.h"
#include "plugin/PDEPlugInInterface.h"

#include <gtest/gtest.h>

namespace {

struct Loaded : ::testing::Test {
    void SetUp() override
    {
        harness.panel().panelView();
        controller = harness.get<tlco::PainChangeController>("painChange");
        ASSERT_TRUE(controller);
        main = controller->colorView();
        advanced = controller->advancedView();
        ASSERT_TRUE(main && advanced);
    }
    testpanel::Harness harness;
    tlco::PainChangeController* controller = nullptr;
    tlco::ColorOptions* main = nullptr;
    tlco::AdvancedColorOptions* advanced = nullptr;
};

size_t countBeforeEnd(const tlco::PDEControlRecord* table)
{
    size_t n = 0;
    while (table[n].type != tlco::kControlEnd) ++n;
    return n;
}

TEST_F(Loaded, TablesCountTheirEndRecord)
{
    EXPECT_EQ(main->getControlCount(), 11);
    EXPECT_EQ(advanced->getControlCount(), 47);
    EXPECT_EQ(controller->getControlCountEachView(), 58);
    EXPECT_EQ(countBeforeEnd(main->getControlData()), 10u);
    EXPECT_EQ(countBeforeEnd(advanced->getControlData()), 46u);
    // Every outlet is connected: no record before the end has a null control.
    for (const tlco::PDEControlRecord* table : {main->getControlData(), advanced->getControlData()})
        for (const tlco::PDEControlRecord* r = table; r->type != tlco::kControlEnd; ++r) EXPECT_NE(r->control, nullptr);
}

TEST_F(Loaded, ControlDataSlotsHoldMainThenAdvanced)
{
    tlco::PDEControlRecord* slots[5];
    for (auto& slot : slots) slot = reinterpret_cast<tlco::PDEControlRecord*>(0x1);
    EXPECT_EQ(controller->getControlDataEachView(slots, 5), 2);
    EXPECT_EQ(slots[0], main->getControlData());
    EXPECT_EQ(slots[1], advanced->getControlData());
    for (int i = 2; i < 5; ++i) EXPECT_EQ(slots[i], nullptr);
}

TEST_F(Loaded, CompoundTableJoinsMainThenAdvanced)
{
    auto* panel = dynamic_cast<tlco::PDEPlugInInterface*>(harness.panelObject.get());
    const tlco::PDEControlRecord* compound = panel->compoundTable();
    ASSERT_EQ(countBeforeEnd(compound), 56u);
    EXPECT_EQ(compound[0].control, main->getControlData()[0].control);
    EXPECT_EQ(compound[9].control, main->getControlData()[9].control);
    EXPECT_EQ(compound[10].control, advanced->getControlData()[0].control);
    EXPECT_EQ(compound[55].control, advanced->getControlData()[45].control);
    // Shared, not copied: the compound table points at the views' own choice lists.
    EXPECT_EQ(compound[0].choices, main->getControlData()[0].choices);
    EXPECT_EQ(compound[56].control, nullptr);
    EXPECT_EQ(compound[56].choices, nullptr);
}

TEST(CompoundJoin, AnEmptyTableAddsNothing)
{
    tlco::PDEControlRecord empty[] = {tlco::kEndRecord};
    ui::View view;
    tlco::PDEControlRecord one[] = {
        {&view, tlco::kControlLabel, "", nullptr, nullptr, "", 0, nullptr}, tlco::kEndRecord};
    tlco::PDEControlRecord* tables[] = {empty, one};
    auto joined = tlco::PDECommon::commonControlTableCompound(tables, 2);
    ASSERT_TRUE(joined);
    EXPECT_EQ(joined[0].control, &view);
    EXPECT_EQ(joined[1].type, tlco::kControlEnd);
}

TEST_F(Loaded, KeyListsOfTheViews)
{
    auto keys = cf::Array::create();
    main->addPPDArray(keys.get());
    ASSERT_EQ(keys->count(), 6u);
    EXPECT_EQ(cf::as<cf::String>(keys->at(0))->utf8(), "TLQuickColor");
    EXPECT_EQ(cf::as<cf::String>(keys->at(5))->utf8(), "TLEdgeType");

    auto all = cf::Array::create();
    main->createPPDKeyNSArray(all.get());
    ASSERT_EQ(all->count(), 10u);
    int empty = 0;
    for (const auto& key : all->items()) empty += cf::as<cf::String>(key)->utf8().empty();
    EXPECT_EQ(empty, 4);

    auto advancedKeys = cf::Array::create();
    advanced->addPPDArray(advancedKeys.get());
    EXPECT_EQ(advancedKeys->count(), 21u);
    auto advancedAll = cf::Array::create();
    advanced->createPPDKeyNSArrayAdvance(advancedAll.get());
    EXPECT_EQ(advancedAll->count(), 46u);
}

TEST_F(Loaded, SwitchingFillsTheContainerAndLeavesTheTicketAlone)
{
    ui::View* container = controller->container();
    container->setBounds(ui::makeRect(5, 7, 480, 360));
    size_t ticketEntries = harness.ticket.values()->count();

    controller->SHowColorToAdvancedView();
    ASSERT_EQ(container->subviews().size(), 1u);
    EXPECT_EQ(container->subviews()[0], advanced);
    EXPECT_EQ(advanced->bounds(), ui::makeRect(0, 0, 480, 360));
    EXPECT_EQ(main->superview(), nullptr);

    // Showing the shown view again keeps it.
    controller->SHowColorToAdvancedView();
    ASSERT_EQ(container->subviews().size(), 1u);
    EXPECT_EQ(container->subviews()[0], advanced);

    controller->ShowAdvancedToColorView();
    ASSERT_EQ(container->subviews().size(), 1u);
    EXPECT_EQ(container->subviews()[0], main);
    EXPECT_EQ(harness.ticket.values()->count(), ticketEntries);
}

TEST_F(Loaded, HiddenViewsKeepTheirValues)
{
    auto* quickColor = harness.get<ui::PopUpButton>("menu_QuickColor");
    quickColor->selectItemAtIndex(2);
    controller->SHowColorToAdvancedView();
    controller->ShowAdvancedToColorView();
    EXPECT_EQ(quickColor->indexOfSelectedItem(), 2);
}

TEST_F(Loaded, SetViewBoundsDropsTheOrigin)
{
    main->setViewBounds(ui::makeRect(20, 30, 400, 300));
    EXPECT_EQ(main->bounds(), ui::makeRect(0, 0, 400, 300));
}

TEST_F(Loaded, SwitchActionsNeedTheOtherViewsTable)
{
    advanced->deallocPDEControlTable();
    controller->ColorToAdvancedView(nullptr);
    EXPECT_EQ(main->superview(), controller->container());
    EXPECT_EQ(advanced->getControlData(), nullptr);
    advanced->deallocPDEControlTable(); // a second release does nothing
}

TEST_F(Loaded, QuickColorGettersReadTheMainView)
{
    auto* quickColor = harness.get<ui::PopUpButton>("menu_QuickColor");
    auto* econo = harness.get<ui::CheckBox>("check_EconomyPrint");
    quickColor->selectItemAtIndex(-1);
    EXPECT_EQ(main->getQuickColorValue(), -1);
    quickColor->selectItemAtIndex(3);
    EXPECT_EQ(main->getQuickColorValue(), 3);
    econo->setState(1);
    EXPECT_EQ(main->getEconoModeValue(), 1);
}

TEST_F(Loaded, AdvancedViewStartsOnTheFirstPage)
{
    auto* tabs = harness.get<ui::TabView>("tab_SwitchVew");
    ASSERT_TRUE(tabs);
    tabs->userSelectTab(2);
    advanced->deallocPDEControlTable();
    advanced->createPDEControlTable();
    EXPECT_EQ(tabs->indexOfSelectedTabViewItem(), 0);
}

} // namespace
