// SPDX-License-Identifier: Apache-2.0
// Ghostscript's object-based colour management for a plan: the source profile and intent per kind of
// object and colour space (a -sSourceObjectICC file), the destination profile per kind of object
// (-sImageICCProfile, -sTextICCProfile, -sVectorICCProfile), the printer's profile for the rest.
#pragma once

#include "host/preview/ColourPlan.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace host::preview {

class ColourArguments {
public:
    // Files go into workFolder, where Ghostscript runs: it reads the object file's names relative to
    // it, and a path with a space in it would split its lines.
    // grayProfile: what a gray of the document means when it is not treated as black alone.
    ColourArguments(std::string workFolder, std::string printerProfile, std::string grayProfile)
        : folder_(std::move(workFolder)), printerProfile_(std::move(printerProfile)),
          grayProfile_(std::move(grayProfile))
    {
    }

    // Ghostscript's options for a CMYK proof of the plan; nullopt and the reason when a profile
    // cannot be staged or a link cannot be made. The same plan gives the same files again.
    std::optional<std::vector<std::string>> forPlan(const ColourPlan& plan, std::string* error);

private:
    std::optional<std::string> stage(const std::string& path);
    std::optional<std::string> link(const ObjectColour& object, bool rgb, std::string* error);
    std::optional<std::string> objectLines(const ColourPlan& plan, std::string* error);
    std::optional<std::string> sourceFor(const ObjectColour& object, bool rgb, std::string* error);

    std::string folder_;
    std::string printerProfile_;
    std::string grayProfile_;
    std::map<std::string, std::string> staged_; // source path -> name in the folder
    std::map<std::string, std::string> links_;  // what a link is made of -> its name
    std::map<std::string, std::vector<std::string>> plans_;
};

} // namespace host::preview
