// SPDX-License-Identifier: Apache-2.0
// The separation view: the four toner plates of a sheet side by side (C, M top; Y, K below), each a
// gray picture at half size where darker means more toner, each labelled with its letter.
#pragma once

#include "host/preview/Raster.h"

namespace host::preview {

class SeparationSheet {
public:
    // An RGB picture of the same size as the CMYK toner raster given.
    static Raster compose(const Raster& cmyk);

    // Where plate 0..3 (C, M, Y, K) lies in a composed picture of the given size.
    struct Area {
        int x = 0, y = 0, width = 0, height = 0;
    };
    static Area plateArea(int plate, int width, int height);
};

} // namespace host::preview
