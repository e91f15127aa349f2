// SPDX-License-Identifier: Apache-2.0
// Ghostscript's object-based colour management for a plan. What a running Ghostscript cannot change
// goes on its command line: the printer's profile, the default RGB and gray sources, and a
// -sSourceObjectICC file for what differs per kind of object and source space (gray-to-black links,
// other RGB sources, the CMYK simulation). The rest is set per sheet on the page device: each kind of
// object's destination profile (ImageICCProfile, TextICCProfile, VectorICCProfile) and intent.
#pragma once

#include "host/preview/ColourPlan.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace host::preview {

struct ColourSetup {
    std::vector<std::string> start; // command-line options, naming files relative to the work folder
    std::string page;               // page device entries (PostScript), naming files by full path
};

class ColourArguments {
public:
    // Files go into workFolder, where Ghostscript runs: a path with a space in it would split the
    // object file's lines. rgbProfile and grayProfile: what RGB and gray mean when the plan does not
    // say otherwise (sRGB and sGray).
    ColourArguments(
        std::string workFolder, std::string printerProfile, std::string rgbProfile, std::string grayProfile);

    // Ghostscript's options for a CMYK proof of the plan; nullopt and the reason when a profile
    // cannot be staged or a link cannot be made. The same plan gives the same files again.
    std::optional<ColourSetup> forPlan(const ColourPlan& plan, std::string* error);

private:
    std::optional<std::string> stage(const std::string& path);
    std::optional<std::string> link(const ObjectColour& object, bool rgb, std::string* error);
    std::optional<std::string> objectLines(const ColourPlan& plan, std::string* error);
    std::optional<std::string> objectFile(const std::string& lines);
    std::optional<std::string> pageEntries(const ColourPlan& plan);

    std::string folder_;
    std::string printerProfile_;
    std::string rgbProfile_;
    std::string grayProfile_;
    std::map<std::string, std::string> staged_;      // source path -> name in the folder
    std::map<std::string, std::string> links_;       // what a link is made of -> its name
    std::map<std::string, std::string> objectFiles_; // the lines -> the file's name
};

} // namespace host::preview
