// SPDX-License-Identifier: Apache-2.0
// The preset table.
#include "panels/QuickColorPreset.h"

#include <cstddef>

namespace tlco {
namespace {

// Rows follow the advanced view's pop-ups in table order; columns are presets 0, 1, 2.
constexpr std::array<std::array<int, 3>, kAdvancedPopUpCount> kPresetItems = {{
    {1, 1, 1}, // Image RGB Source
    {0, 0, 1}, // Image RGB Intent
    {0, 0, 1}, // Image RGB Gray Treatment
    {0, 0, 0}, // Image Destination Profile
    {1, 1, 2}, // Image Halftone
    {0, 0, 1}, // Image EdgeEnhance
    {1, 1, 1}, // Text RGB Source
    {1, 0, 1}, // Text RGB Intent
    {1, 0, 1}, // Text RGB Gray Treatment
    {0, 0, 0}, // Text Destination Profile
    {2, 1, 2}, // Text Halftone
    {1, 0, 1}, // Text EdgeEnhance
    {1, 1, 1}, // Graphics RGB Source
    {1, 0, 1}, // Graphics RGB Intent
    {1, 0, 1}, // Graphics RGB Gray Treatment
    {0, 0, 0}, // Graphics Destination Profile
    {1, 1, 2}, // Graphics Halftone
    {1, 0, 1}, // Graphics EdgeEnhance
    {0, 0, 0}, // Simulation Profile
    {0, 0, 0}, // Match Paper Color
    {0, 0, 0}, // CMYK Gray Treatment
}};

constexpr int kImageEdgeEnhance = 5;
constexpr int kGraphicsEdgeEnhance = 17;

} // namespace

int quickColorPresetItem(int16_t quickColor, int16_t econoMode, int popUp)
{
    if (quickColor < 0 || quickColor > 2 || popUp < 0 || popUp >= kAdvancedPopUpCount) return -1;
    if (econoMode != 0) {
        // EconoMode turns edge enhancement off for images and graphics in presets 0 and 2.
        if (quickColor == 0 && popUp == kGraphicsEdgeEnhance) return 0;
        if (quickColor == 2 && (popUp == kImageEdgeEnhance || popUp == kGraphicsEdgeEnhance)) return 0;
    }
    return kPresetItems[static_cast<std::size_t>(popUp)][static_cast<std::size_t>(quickColor)];
}

} // namespace tlco
