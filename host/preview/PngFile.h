// SPDX-License-Identifier: Apache-2.0
// Writes a sheet of the preview as a PNG file (libpng).
#pragma once

#include "host/preview/Raster.h"

#include <string>

namespace host::preview {

class PngFile {
public:
    // Writes an RGB (3 channels) or gray (1 channel) raster to path, through a temporary file beside
    // it that is renamed at the end, so a reader never sees half a picture. False and the reason in
    // `error` when it cannot be written.
    static bool write(const Raster& raster, const std::string& path, std::string* error = nullptr);
};

} // namespace host::preview
