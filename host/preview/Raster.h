// SPDX-License-Identifier: Apache-2.0
// A picture in memory: rows of pixels with 1 (gray or one toner), 3 (RGB) or 4 (CMYK) bytes each.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace host::preview {

struct Raster {
    int width = 0;
    int height = 0;
    int channels = 0;
    std::vector<uint8_t> pixels; // width * height * channels bytes, row after row

    Raster() = default;
    Raster(int w, int h, int c, uint8_t fill = 0)
        : width(w), height(h), channels(c),
          pixels(static_cast<size_t>(w) * static_cast<size_t>(h) * static_cast<size_t>(c), fill)
    {
    }
    bool empty() const { return pixels.empty(); }
    size_t offset(int x, int y) const
    {
        return (static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)) *
            static_cast<size_t>(channels);
    }
    uint8_t* at(int x, int y) { return pixels.data() + offset(x, y); }
    const uint8_t* at(int x, int y) const { return pixels.data() + offset(x, y); }

    // The picture turned clockwise by `degrees` (0, 90, 180 or 270; others leave it as it is).
    Raster rotated(int degrees) const;
};

} // namespace host::preview
