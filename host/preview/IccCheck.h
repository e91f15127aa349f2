// SPDX-License-Identifier: Apache-2.0
// Whether an ICC file can serve as the preview would use it, read with lcms2: a printer's CMYK output
// profile for a destination, an RGB or CMYK profile that converts to the PCS for a source.
#pragma once

#include <optional>
#include <string>

namespace host::preview {

enum class ProfileUse { RgbSource, CmykOutput, CmykSource };

class IccCheck {
public:
    // nullopt when the file at path serves for `use` with `intent`; else why not, in a few words
    // ("not an ICC profile", "a display profile, not an output profile", ...).
    static std::optional<std::string> problem(const std::string& path, ProfileUse use, int intent);
};

} // namespace host::preview
