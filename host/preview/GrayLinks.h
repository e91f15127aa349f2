// SPDX-License-Identifier: Apache-2.0
// Device links (lcms2) that print neutral grays with black toner alone, for the gray treatments
// "Black Only (K)" and "True Gray"; Ghostscript applies them per kind of object. Every other colour
// goes from the source profile into the destination profile with the chosen intent, as without them.
#pragma once

#include "host/preview/ColourPlan.h"

#include <string>

namespace host::preview {

class GrayLinks {
public:
    // A link RGB -> CMYK. source: the RGB profile, or empty for None (CMY = 1 - RGB, no black).
    // Black Only gives a gray of value v the toner 1 - v; True Gray the toner whose lightness on the
    // destination matches the gray's. False and the reason when lcms2 refuses a profile or the file.
    static bool writeRgbLink(const std::string& source, const std::string& destination, int intent, GrayTreatment gray,
        const std::string& path, std::string* error);

    // A link Gray -> CMYK with black toner alone, the tone as above.
    static bool writeGrayLink(
        const std::string& destination, GrayTreatment gray, const std::string& path, std::string* error);
};

} // namespace host::preview
