// SPDX-License-Identifier: Apache-2.0
// The one table from the panel's profile choices to ICC profiles that Debian ships (Ghostscript's, and
// colord's ColorMatch RGB), the printer's own profile for the printer's tables, and the intents.
#pragma once

#include "host/preview/ColourPlan.h"

#include <optional>
#include <string>

namespace host::preview {

enum class ProfileRole { RgbSource, Destination, Simulation };

struct ProfileChoice {
    std::string file;    // absolute path; empty for None
    std::string standIn; // when the choice's own profile is not to be had: the name of the one used
};

class ProfileTable {
public:
    // iccDir holds Ghostscript's profiles in ghostscript/ and colord's in colord/.
    ProfileTable(std::string iccDir, std::string printerProfile)
        : iccDir_(std::move(iccDir)), printerProfile_(std::move(printerProfile))
    {
    }

    // The profile for a PPD choice keyword of the role's options; nullopt for a keyword the table
    // does not know.
    std::optional<ProfileChoice> profile(ProfileRole role, const std::string& choice) const;
    const std::string& printerProfile() const { return printerProfile_; }

    // Perceptual, Saturation, Relative, Absolute; nullopt for another keyword.
    static std::optional<int> intent(const std::string& choice);
    static std::optional<GrayTreatment> grayTreatment(const std::string& choice);

private:
    std::string iccDir_;
    std::string printerProfile_;
};

} // namespace host::preview
