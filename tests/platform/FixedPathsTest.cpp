// SPDX-License-Identifier: Apache-2.0
// Fixed paths of the original platform land inside the bundle that ships what lies there.
#include "services/FixedPaths.h"

#include <gtest/gtest.h>

namespace {

TEST(FixedPaths, PrinterFilesResolveIntoTheBundle)
{
    const cf::Bundle bundle("/opt/ColorOptions.plugin", "domain");
    const struct {
        const char* fixed;
        const char* local;
    } cases[] = {
        {"/Library/Printers/TESSALUMA/zq4410/Icons/fileExist4410.icns",
            "/opt/ColorOptions.plugin/Library/Printers/TESSALUMA/zq4410/Icons/fileExist4410.png"},
        {"/Library/Printers/TESSALUMA/zq4410/Profiles",
            "/opt/ColorOptions.plugin/Library/Printers/TESSALUMA/zq4410/Profiles"},
        {"/Library/Printers", "/opt/ColorOptions.plugin/Library/Printers"},
        {"/Library/PrintersX/a", "/Library/PrintersX/a"},
        {"/Applications/Tool.app", "/Applications/Tool.app"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.local, svc::FixedPaths::resolve(c.fixed, bundle)) << c.fixed;
}

} // namespace
