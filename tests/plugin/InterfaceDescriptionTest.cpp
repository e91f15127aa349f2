// SPDX-License-Identifier: Apache-2.0
// The loader is all or nothing for the owner: a failure late in the description leaves its outlets unset.
#include "support/PanelHarness.h"

#include "plugin/PDEPlugInInterface.h"

#include <gtest/gtest.h>

namespace {

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
