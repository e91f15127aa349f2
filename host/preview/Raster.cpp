// SPDX-License-Identifier: Apache-2.0
// Turning a picture by quarter turns, pixel by pixel.
#include "host/preview/Raster.h"

#include <algorithm>

namespace host::preview {

Raster Raster::rotated(int degrees) const
{
    const int turns = ((degrees / 90) % 4 + 4) % 4;
    if (turns == 0 || degrees % 90 != 0) return *this;
    const bool sideways = turns % 2 == 1;
    Raster result(sideways ? height : width, sideways ? width : height, channels);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            int tx = x, ty = y;
            if (turns == 1) tx = height - 1 - y, ty = x;
            if (turns == 2) tx = width - 1 - x, ty = height - 1 - y;
            if (turns == 3) tx = y, ty = width - 1 - x;
            std::copy_n(at(x, y), channels, result.at(tx, ty));
        }
    }
    return result;
}

} // namespace host::preview
