// SPDX-License-Identifier: Apache-2.0
// Makes the zq4410's CMYK profile for the proof. Its colorimetric tables are those of Ghostscript's
// SWOP profile; that profile gives perceptual and saturation the same table as colorimetric, so the
// printer's profile gets tables of its own for them: perceptual eases chroma above a knee into the
// gamut, saturation raises chroma. Lightness and hue are kept in both. Its paper is a laser printer's
// white (D50), not the SWOP stock's, so that matching a simulated press's paper colour means something.
#pragma once

#include <string>

namespace host::preview {

class PrinterProfileMaker {
public:
    // Chroma (of CIELAB) below which perceptual keeps colours as they are, the share of chroma above
    // it that perceptual keeps, and the factor saturation applies.
    static constexpr double kPerceptualKnee = 40.0;
    static constexpr double kPerceptualSlope = 0.7;
    static constexpr double kSaturationGain = 1.2;

    // Reads the base CMYK output profile and writes the printer's to `path`; false and why when the
    // base cannot be read or has no colorimetric table.
    static bool write(const std::string& base, const std::string& path, std::string* error);
};

} // namespace host::preview
