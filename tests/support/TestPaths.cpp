// Paths fixed at configure time.
#include "support/TestPaths.h"

namespace testpaths {

std::string sourceDir() { return TEST_SOURCE_DIR; }
std::string binaryDir() { return TEST_BINARY_DIR; }
std::string bundleDir() { return TEST_BUNDLE_DIR; }
std::string printdialog() { return TEST_PRINTDIALOG; }
std::string ppd(const std::string& name) { return sourceDir() + "/ppd/" + name; }

} // namespace testpaths
