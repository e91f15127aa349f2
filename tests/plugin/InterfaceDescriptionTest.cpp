// The interface description we ship loads whole, with every outlet and action in place.
#include "support/PanelHarness.h"
#include "support/TestPaths.h"

#include "plugin/Classes.h"
#include "plugin/PDEPlugInInterface.h"
#include "ui/Button.h"
#include "ui/Control.h"
#include "ui/TabView.h"
#include "ui/Window.h"

#include <gtest/gtest.h>

namespace {

TEST(InterfaceDescription, LoadsWithEveryConnection)
{
    testpanel::Harness harness;
    tlco::PDEPlugInInterface owner;
    std::string error;
    auto nib = ui::Nib::load(testpaths::sourceDir() + "/resources/PDEMain.json", &owner, &error);
    ASSERT_TRUE(nib) << error;

    auto* tabs = dynamic_cast<ui::TabView*>(nib->object("tab_SwitchVew"));
    ASSERT_TRUE(tabs);
    EXPECT_EQ(tabs->numberOfTabViewItems(), 4);
    ASSERT_TRUE(dynamic_cast<ui::Window*>(nib->object("_profileManagementWindow")));

    // Buttons reach their handlers.
    const std::vector<std::pair<const char*, const char*>> actions = {
        {"button_AdvanceColorOptions", "ColorToAdvancedView"},
        {"button_HideAdvancedOptions", "AdvancedToColorView"},
        {"button_DownloadManager", "downloadManagerButton"},
        {"button_ManageProfile", "showProfileManagementWindow"},
        {"button_ProfileWindowOK", "profileWindowOK"},
        {"button_ProfileWindowCancel", "profileWindowCancel"},
    };
    for (const auto& [id, action] : actions) {
        auto* control = dynamic_cast<ui::Control*>(nib->object(id));
        ASSERT_TRUE(control) << id;
        EXPECT_EQ(control->action(), action) << id;
        EXPECT_TRUE(control->target() && control->target()->respondsToAction(action)) << id;
    }
    // Every control a constraint rule reads sends the compound-table action.
    for (const char* id : {"menu_QuickColor", "check_ColorAsGrayscale", "check_ColorSeparation", "check_EconomyPrint",
                           "menu_EdgeStrength", "menu_iRGBSource", "menu_tRGBSource", "menu_gRGBSource",
                           "menu_iDestinationProfile", "menu_tDestinationProfile", "menu_gDestinationProfile",
                           "menu_sSimulationProfile"}) {
        auto* control = dynamic_cast<ui::Control*>(nib->object(id));
        ASSERT_TRUE(control) << id;
        EXPECT_EQ(control->target(), &owner) << id;
        EXPECT_EQ(control->action(), "constraints") << id;
    }
}

TEST(InterfaceDescription, OwnerOutletsStayUnsetWhenALaterOutletFails)
{
    testpanel::Harness harness;
    std::string path = ::testing::TempDir() + "/partial.json";
    {
        std::FILE* file = std::fopen(path.c_str(), "w");
        std::fputs(R"({"objects": [
            {"id": "top", "class": "MainView_7A3D19C2_5B8E_4F61_9D27_C04E8B15F3A6"},
            {"id": "owner", "outlets": {"pdeMainView": "top", "painChange": "top"}}]})",
                   file);
        std::fclose(file);
    }
    tlco::PDEPlugInInterface owner;
    std::string error;
    EXPECT_FALSE(ui::Nib::load(path, &owner, &error));
    EXPECT_NE(error.find("painChange"), std::string::npos) << error;
    EXPECT_EQ(ui::Nib::forOwner(&owner), nullptr);
}

} // namespace
