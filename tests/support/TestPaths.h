// SPDX-License-Identifier: Apache-2.0
// Where the tests find the sources, the build, the bundle and the host.
#pragma once

#include <string>

namespace testpaths {

std::string sourceDir();
std::string binaryDir();
std::string bundleDir();
std::string printdialog();
// A sample PPD of ppd/ by file name.
std::string ppd(const std::string& name);

} // namespace testpaths
