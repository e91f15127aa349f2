// SPDX-License-Identifier: Apache-2.0
// The loader is all or nothing for the owner: a failure late in the description leaves its outlets unset;
// a property reaches its setter only as a value of the setter's kind.
#include "support/PanelHarness.h"

#include "plugin/PDEPlugInInterface.h"

#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

std::string writeDescription(const std::string& name, const std::string& json)
{
    // Other runs of the suites may share the folder.
    std::string path = ::testing::TempDir() + "/" + name + "-" + std::to_string(::getpid()) + ".json";
    std::ofstream(path) << json;
    return path;
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

TEST(InterfaceDescription, PropertiesOfAnotherKindAreRefusedByName)
{
    const struct {
        const char* objects;
        const char* property;
    } cases[] = {
        {R"({"id": "b", "class": "Button", "title": 3})", "title"},
        {R"({"id": "b", "class": "Button", "state": "on"})", "state"},
        {R"({"id": "v", "class": "View", "hidden": 1})", "hidden"},
        {R"({"id": "v", "class": "View", "frame": [0, 0, 10]})", "frame"},
        {R"({"id": "v", "class": "View", "frame": [0, 0, 10, "20"]})", "frame"},
        {R"({"id": "v", "class": "View"}, {"id": "t", "class": "TableView", "dataSource": "v"})", "dataSource"},
        {R"({"id": "w", "class": "Window", "contentView": "nobody"})", "contentView"},
        {R"({"id": "w", "class": "Window", "contentView": 7})", "contentView"},
    };
    for (const auto& c : cases) {
        tlco::PDEPlugInInterface owner;
        std::string error;
        const std::string path = writeDescription("refused", std::string(R"({"objects": [)") + c.objects + "]}");
        EXPECT_FALSE(ui::Nib::load(path, &owner, &error)) << c.objects;
        EXPECT_NE(error.find(std::string("bad value for property ") + c.property), std::string::npos) << error;
    }
}

} // namespace
