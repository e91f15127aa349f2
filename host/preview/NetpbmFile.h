// SPDX-License-Identifier: Apache-2.0
// Reads the pictures Ghostscript writes for the preview: PGM (gray), PPM (RGB) and PAM (CMYK), 8 bits.
#pragma once

#include "host/preview/Raster.h"

#include <optional>
#include <string>

namespace host::preview {

class NetpbmFile {
public:
    // The picture in the file; nullopt (and the reason in `error` when given) for a file that is not
    // an 8-bit P5, P6 or P7 picture of at most kMaxSide pixels a side, or is cut short.
    static std::optional<Raster> read(const std::string& path, std::string* error = nullptr);

    static constexpr int kMaxSide = 20000;
};

} // namespace host::preview
