// SPDX-License-Identifier: Apache-2.0
// Each plate pixel is the mean of a 2 x 2 block of the sheet; the letters are drawn from a 5 x 7 font.
#include "host/preview/SeparationSheet.h"

#include <algorithm>
#include <array>

namespace host::preview {
namespace {

constexpr int kGap = 2; // white between the plates, in pixels

// Rows of the letters C, M, Y, K, five bits each, the top row first.
constexpr std::array<std::array<uint8_t, 7>, 4> kLetters = {{
    {0x0e, 0x11, 0x10, 0x10, 0x10, 0x11, 0x0e},
    {0x11, 0x1b, 0x15, 0x15, 0x11, 0x11, 0x11},
    {0x11, 0x11, 0x0a, 0x04, 0x04, 0x04, 0x04},
    {0x11, 0x12, 0x14, 0x18, 0x14, 0x12, 0x11},
}};

void fill(Raster& picture, int x0, int y0, int width, int height, uint8_t value)
{
    for (int y = std::max(0, y0); y < std::min(picture.height, y0 + height); ++y)
        for (int x = std::max(0, x0); x < std::min(picture.width, x0 + width); ++x)
            std::fill_n(picture.at(x, y), 3, value);
}

void drawPlate(Raster& picture, const Raster& cmyk, int plate, const SeparationSheet::Area& area)
{
    for (int y = 0; y < area.height; ++y) {
        for (int x = 0; x < area.width; ++x) {
            int sum = 0;
            for (int dy = 0; dy < 2; ++dy)
                for (int dx = 0; dx < 2; ++dx)
                    sum += cmyk.at(std::min(2 * x + dx, cmyk.width - 1), std::min(2 * y + dy, cmyk.height - 1))[plate];
            std::fill_n(picture.at(area.x + x, area.y + y), 3, static_cast<uint8_t>(255 - (sum + 2) / 4));
        }
    }
}

// A light frame shows where the plate's paper ends, for a plate without toner too.
void drawFrame(Raster& picture, const SeparationSheet::Area& area)
{
    constexpr uint8_t kFrame = 170;
    fill(picture, area.x, area.y, area.width, 1, kFrame);
    fill(picture, area.x, area.y + area.height - 1, area.width, 1, kFrame);
    fill(picture, area.x, area.y, 1, area.height, kFrame);
    fill(picture, area.x + area.width - 1, area.y, 1, area.height, kFrame);
}

// The plate's letter in black on a white tab at the plate's top left corner.
void drawLabel(Raster& picture, int plate, const SeparationSheet::Area& area)
{
    const int scale = std::clamp(area.width / 80, 1, 4);
    const int margin = 2 * scale;
    fill(picture, area.x, area.y, 5 * scale + 2 * margin, 7 * scale + 2 * margin, 255);
    for (int row = 0; row < 7; ++row)
        for (int column = 0; column < 5; ++column)
            if (kLetters[static_cast<size_t>(plate)][static_cast<size_t>(row)] & (0x10 >> column))
                fill(picture, area.x + margin + column * scale, area.y + margin + row * scale, scale, scale, 0);
}

} // namespace

SeparationSheet::Area SeparationSheet::plateArea(int plate, int width, int height)
{
    const int half = std::max(1, (width - kGap) / 2);
    const int halfHeight = std::max(1, (height - kGap) / 2);
    return {plate % 2 == 0 ? 0 : width - half, plate < 2 ? 0 : height - halfHeight, half, halfHeight};
}

Raster SeparationSheet::compose(const Raster& cmyk)
{
    Raster picture(cmyk.width, cmyk.height, 3, 255);
    if (cmyk.channels != 4 || cmyk.width < 2 * kGap || cmyk.height < 2 * kGap) return picture;
    for (int plate = 0; plate < 4; ++plate) {
        const Area area = plateArea(plate, cmyk.width, cmyk.height);
        drawPlate(picture, cmyk, plate, area);
        drawFrame(picture, area);
        drawLabel(picture, plate, area);
    }
    return picture;
}

} // namespace host::preview
