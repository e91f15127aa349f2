// SPDX-License-Identifier: Apache-2.0
// Where the program's own files are: beside the program in a build tree, or under the installed
// prefix (private library folder for the bundle, data folder for the sample PPDs, locale folder).
#pragma once

#include <string>

namespace host {

struct ProgramFiles {
    std::string bundle;     // the plug-in bundle folder
    std::string samplePpds; // folder of the sample PPDs
    std::string locale;     // root of the host's message catalogues
    std::string guiModule;  // the window module, loaded for --gui only

    // The files for the program in programDir: the build tree's when a bundle lies beside it.
    static ProgramFiles find(const std::string& programDir);
};

} // namespace host
