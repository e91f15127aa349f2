// SPDX-License-Identifier: Apache-2.0
// Positions in PPD order: sources at 1 (the first after None), destinations and the simulation at 0.
#include "host/preview/QuickColorPresets.h"

#include <string_view>

namespace host::preview {
namespace {

struct Row {
    std::string_view key;
    int index[3];
};

constexpr Row kRows[] = {
    {"TLImageRGBSource", {1, 1, 1}},
    {"TLImageRenderIntent", {0, 0, 1}},
    {"TLImageGrayTreatment", {0, 0, 1}},
    {"TLImageDestinationProfile", {0, 0, 0}},
    {"TLTextRGBSource", {1, 1, 1}},
    {"TLTextRenderIntent", {1, 0, 1}},
    {"TLTextGrayTreatment", {1, 0, 1}},
    {"TLTextDestinationProfile", {0, 0, 0}},
    {"TLGraphicsRGBSource", {1, 1, 1}},
    {"TLGraphicsRenderIntent", {1, 0, 1}},
    {"TLGraphicsGrayTreatment", {1, 0, 1}},
    {"TLGraphicsDestinationProfile", {0, 0, 0}},
    {"TLSimSource", {0, 0, 0}},
    {"TLSimRenderIntent", {0, 0, 0}},
    {"TLSimGrayTreatment", {0, 0, 0}},
};

} // namespace

std::optional<int> QuickColorPresets::choiceIndex(int preset, const std::string& key)
{
    if (preset < 0 || preset > 2) return std::nullopt;
    for (const Row& row : kRows)
        if (row.key == key) return row.index[preset];
    return std::nullopt;
}

} // namespace host::preview
