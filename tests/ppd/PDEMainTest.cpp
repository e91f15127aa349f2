// SPDX-License-Identifier: Apache-2.0
// The interface description shipped in the bundle: it loads for the panel, connects every outlet to
// the object of the same id, wires each control to its target and action, and lays views out inside
// their superviews.
#include "panels/PainChangeController.h"
#include "plugin/Classes.h"
#include "plugin/PDEPlugInInterface.h"
#include "profiles/ProfileControl.h"
#include "support/TestPaths.h"
#include "ui/Control.h"
#include "ui/Nib.h"
#include "ui/PopUpButton.h"
#include "ui/TabView.h"
#include "ui/TableView.h"
#include "ui/Window.h"

#include <cups/ppd.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

// libcups marks its whole PPD API deprecated; the panel is built on it.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace {

struct PPDCloser {
    void operator()(ppd_file_t* ppd) const { ppdClose(ppd); }
};

// The outlets of each view in the order of its control table.
const std::vector<std::string> kMainOutlets = {
    "menu_QuickColor",
    "menu_Brightness",
    "check_ColorAsGrayscale",
    "check_ColorSeparation",
    "check_EconomyPrint",
    "menu_EdgeStrength",
    "text_QuickColor",
    "text_Brightness",
    "text_Strength",
    "button_AdvanceColorOptions",
};

std::vector<std::string> advancedOutlets()
{
    const char* kinds[] = {
        "RGBSource", "RGBIntent", "RGBGrayTreatment", "DestinationProfile", "Halftone", "EdgeEnhancement"};
    const char* simulation[] = {"sSimulationProfile", "sMatchPaperColor", "sCMYKGrayTreatment"};
    std::vector<std::string> names;
    for (const char* prefix : {"menu_", "text_"}) {
        for (char letter : {'i', 't', 'g'})
            for (const char* kind : kinds) names.push_back(std::string(prefix) + letter + kind);
        for (const char* name : simulation) names.push_back(std::string(prefix) + name);
        if (std::string(prefix) == "menu_") names.push_back("tab_SwitchVew");
    }
    for (const char* button : {"button_ManageProfile", "button_DownloadManager", "button_HideAdvancedOptions"})
        names.push_back(button);
    return names;
}

class PDEMainDescription : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tlco::registerClasses());
        std::string error;
        nib = ui::Nib::load(testpaths::bundleDir() + "/PDEMain.json", &owner, &error);
        ASSERT_NE(nib, nullptr) << error;
        painChange = dynamic_cast<tlco::PainChangeController*>(nib->object("painChange"));
        ASSERT_NE(painChange, nullptr);
    }

    template <class T>
    T* get(const std::string& id)
    {
        T* object = dynamic_cast<T*>(nib->object(id));
        EXPECT_NE(object, nullptr) << id;
        return object;
    }

    tlco::PDEPlugInInterface owner;
    std::unique_ptr<ui::Nib> nib;
    tlco::PainChangeController* painChange = nullptr;
};

// A null control ends every walk of a table early, so each record must hold its own outlet.
TEST_F(PDEMainDescription, EveryViewOutletHoldsTheObjectOfItsName)
{
    std::unique_ptr<ppd_file_t, PPDCloser> ppd(ppdOpenFile(testpaths::ppd("zq4410.ppd").c_str()));
    ASSERT_NE(ppd, nullptr);
    struct Case {
        tlco::OptionsView* view;
        std::vector<std::string> outlets;
    };
    for (const Case& c :
        {Case{painChange->colorView(), kMainOutlets}, Case{painChange->advancedView(), advancedOutlets()}}) {
        ASSERT_NE(c.view, nullptr);
        c.view->setPPDFile(ppd.get());
        c.view->createPDEControlTable();
        const tlco::PDEControlRecord* record = c.view->getControlData();
        ASSERT_NE(record, nullptr);
        for (const auto& outlet : c.outlets) {
            ASSERT_NE(record->control, nullptr) << "table ends before " << outlet;
            EXPECT_EQ(record->control->identifier(), outlet);
            ++record;
        }
        EXPECT_EQ(record->control, nullptr);
        EXPECT_EQ(c.view->getControlCount(), static_cast<int16_t>(c.outlets.size() + 1));
        c.view->deallocPDEControlTable();
    }
}

TEST_F(PDEMainDescription, ShowsTheMainViewInItsContainerAndKeepsTheAdvancedViewAside)
{
    EXPECT_EQ(painChange->container(), nib->object("onMainCustomView"));
    EXPECT_EQ(painChange->container()->superview(), nib->object("pdeMainView"));
    EXPECT_EQ(painChange->colorView(), nib->object("onColorView"));
    EXPECT_EQ(painChange->colorView()->superview(), painChange->container());
    EXPECT_EQ(painChange->advancedView(), nib->object("onAdvancedView"));
    EXPECT_EQ(painChange->advancedView()->superview(), nullptr);
    EXPECT_EQ(painChange->container()->frame().size, painChange->advancedView()->frame().size);
}

TEST_F(PDEMainDescription, ControlsSendTheirActionsToTheirTargets)
{
    struct Wire {
        const char* control;
        const char* target;
        const char* action;
    };
    const Wire wires[] = {
        {"menu_QuickColor", "owner", "constraints"},
        {"check_ColorAsGrayscale", "owner", "constraints"},
        {"check_ColorSeparation", "owner", "constraints"},
        {"check_EconomyPrint", "owner", "constraints"},
        {"menu_EdgeStrength", "owner", "constraints"},
        {"button_AdvanceColorOptions", "painChange", "ColorToAdvancedView"},
        {"menu_iRGBSource", "owner", "constraints"},
        {"menu_tRGBSource", "owner", "constraints"},
        {"menu_gRGBSource", "owner", "constraints"},
        {"menu_iDestinationProfile", "owner", "constraints"},
        {"menu_tDestinationProfile", "owner", "constraints"},
        {"menu_gDestinationProfile", "owner", "constraints"},
        {"menu_sSimulationProfile", "owner", "constraints"},
        {"button_ManageProfile", "profileControl", "showProfileManagementWindow"},
        {"button_DownloadManager", "onAdvancedView", "downloadManagerButton"},
        {"button_HideAdvancedOptions", "painChange", "AdvancedToColorView"},
        {"_profileMenu", "profileControl", "profileMenu"},
        {"_addButton", "profileControl", "addButton"},
        {"_editButton", "profileControl", "editButton"},
        {"_deleteButton", "profileControl", "deleteButton"},
        {"_browse", "profileControl", "browseButton"},
        {"_localOK", "profileControl", "profileOK"},
        {"_localCancel", "profileControl", "profileCancel"},
        {"button_ProfileWindowOK", "profileControl", "profileWindowOK"},
        {"button_ProfileWindowCancel", "profileControl", "profileWindowCancel"},
    };
    for (const Wire& wire : wires) {
        SCOPED_TRACE(wire.control);
        auto* control = get<ui::Control>(wire.control);
        ASSERT_NE(control, nullptr);
        ui::Object* target = std::string(wire.target) == "owner" ? &owner : nib->object(wire.target);
        EXPECT_EQ(control->target(), target);
        EXPECT_EQ(control->action(), wire.action);
    }
    // Brightness takes part in no rule.
    EXPECT_EQ(get<ui::Control>("menu_Brightness")->target(), nullptr);
}

TEST_F(PDEMainDescription, AdvancedViewHoldsFourPagesOfPopUpsAndThreeButtons)
{
    auto* tabs = get<ui::TabView>("tab_SwitchVew");
    ASSERT_NE(tabs, nullptr);
    EXPECT_EQ(tabs->superview(), painChange->advancedView());
    ASSERT_EQ(tabs->numberOfTabViewItems(), 4);
    const char* labels[] = {"Image", "Text", "Graphics", "Simulation"};
    const char* letters[] = {"i", "t", "g", "s"};
    size_t perPage[] = {6, 6, 6, 3};
    for (size_t page = 0; page < 4; ++page) {
        const ui::TabViewItem& item = tabs->items()[page];
        EXPECT_EQ(item.label, labels[page]);
        ASSERT_NE(item.view, nullptr);
        EXPECT_EQ(item.view->subviews().size(), 2 * perPage[page]);
        for (const ui::View* view : item.view->subviews()) {
            const std::string& id = view->identifier();
            EXPECT_TRUE(id.rfind(std::string("menu_") + letters[page], 0) == 0 ||
                id.rfind(std::string("text_") + letters[page], 0) == 0)
                << id << " on page " << labels[page];
        }
    }
    for (const char* button : {"button_ManageProfile", "button_DownloadManager", "button_HideAdvancedOptions"})
        EXPECT_EQ(get<ui::View>(button)->superview(), painChange->advancedView()) << button;
}

TEST_F(PDEMainDescription, ProfileWindowIsWiredToItsController)
{
    auto* controller = get<tlco::ProfileControl>("profileControl");
    auto* window = get<ui::Window>("_profileManagementWindow");
    ASSERT_NE(controller, nullptr);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(controller->window(), window);

    auto* table = get<ui::TableView>("_profileTableView");
    ASSERT_NE(table, nullptr);
    std::vector<std::string> columns;
    for (const auto& column : table->tableColumns()) columns.push_back(column->identifier());
    EXPECT_EQ(columns, (std::vector<std::string>{"inmenu", "icon", "filename", "profilename", "location"}));
    EXPECT_EQ(table->dataSource(), static_cast<ui::TableDataSource*>(controller));
    EXPECT_EQ(table->delegate(), static_cast<ui::TableDelegate*>(controller));
    EXPECT_EQ(table->superview(), window->contentView());

    EXPECT_EQ(get<ui::PopUpButton>("_profileMenu")->numberOfItems(), 3);
    auto* location = get<ui::PopUpButton>("_locationMenu");
    ASSERT_EQ(location->numberOfItems(), 2);
    EXPECT_EQ(location->itemTitleAtIndex(0), "Disk");
    EXPECT_EQ(location->itemTitleAtIndex(1), "Card");
    for (const char* field : {"_fileNameEdit", "_profileNameEdit"}) {
        auto* edit = get<tlco::TLTextField>(field);
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(edit->superview(), nib->object("_editGroupBox")) << field;
    }
}

// A view placed outside its superview would be cut off or unreachable in a window.
TEST_F(PDEMainDescription, EveryViewLiesInsideItsSuperview)
{
    for (const auto& object : nib->objects()) {
        auto* view = dynamic_cast<ui::View*>(object.get());
        if (!view || !view->superview()) continue;
        ui::Rect frame = view->frame();
        ui::Rect outer = view->superview()->bounds();
        EXPECT_GE(frame.origin.x, 0) << view->identifier();
        EXPECT_GE(frame.origin.y, 0) << view->identifier();
        EXPECT_LE(frame.origin.x + frame.size.width, outer.size.width) << view->identifier();
        EXPECT_LE(frame.origin.y + frame.size.height, outer.size.height) << view->identifier();
        EXPECT_GT(frame.size.width, 0) << view->identifier();
        EXPECT_GT(frame.size.height, 0) << view->identifier();
    }
}

} // namespace
