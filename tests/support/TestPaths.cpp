// SPDX-License-Identifier: Apache-2.0
// Paths fixed at configure time.
#include "support/TestPaths.h"

#include <cstdlib>

namespace testpaths {

std::string sourceDir()
{
    return TEST_SOURCE_DIR;
}
std::string binaryDir()
{
    return TEST_BINARY_DIR;
}
std::string bundleDir()
{
    return TEST_BUNDLE_DIR;
}
std::string printdialog()
{
    const char* gui = std::getenv("PRINTDIALOG_TEST_GUI");
    return gui && *gui ? TEST_PRINTDIALOG_GUI : TEST_PRINTDIALOG;
}
std::string ppd(const std::string& name)
{
    return sourceDir() + "/ppd/" + name;
}

} // namespace testpaths
