// SPDX-License-Identifier: Apache-2.0
// The three Quick Color presets: for each of the advanced view's 21 pop-ups (in table order) the item
// each preset selects, with EconoMode switching image and graphics edge enhancement off.
#pragma once

#include <array>
#include <cstdint>

namespace tlco {

inline constexpr int kAdvancedPopUpCount = 21;
inline constexpr int kQuickColorCustom = 3;

// The item index preset `quickColor` (0 to 2) gives pop-up `popUp` with EconoMode value `econoMode`;
// -1 for any other Quick Color index.
int quickColorPresetItem(int16_t quickColor, int16_t econoMode, int popUp);

} // namespace tlco
