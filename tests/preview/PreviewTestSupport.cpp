// SPDX-License-Identifier: Apache-2.0
// Measures are taken a little inside each box, away from anti-aliased edges.
#include "preview/PreviewTestSupport.h"

#include "host/preview/SeparationSheet.h"
#include "support/TestPaths.h"

#include <gtest/gtest.h>
#include <png.h>

namespace previewtest {

std::unique_ptr<host::preview::PreviewEngine> engine(const std::string& userProfiles)
{
    host::preview::PreviewSetup setup;
    setup.ppdPath = testpaths::ppd("zq4410.ppd");
    setup.printerProfile = testpaths::binaryDir() + "/bin/icc/zq4410.icc";
    setup.userProfileFolder = userProfiles;
    std::string error;
    auto made = host::preview::PreviewEngine::create(setup, &error);
    EXPECT_TRUE(made) << error;
    return made;
}

PreviewJob job(const std::string& document, host::preview::OptionMap ticket, host::preview::OptionMap layout)
{
    if (!ticket.count("TLQuickColor")) ticket["TLQuickColor"] = "CustomSettings";
    return PreviewJob{{{document, {}}}, std::move(layout), std::move(ticket), true};
}

Stats measure(const Raster& picture, const testdocs::Box& box, int plate)
{
    int x0 = 0, y0 = 0, width = picture.width, height = picture.height;
    if (plate >= 0) {
        const auto area = host::preview::SeparationSheet::plateArea(plate, picture.width, picture.height);
        x0 = area.x, y0 = area.y, width = area.width, height = area.height;
    }
    const double sx = width / 595.0, sy = height / 842.0;
    Stats stats;
    double sum = 0;
    for (int y = y0 + static_cast<int>(box.top * sy) + 1; y < y0 + static_cast<int>(box.bottom * sy) - 1; ++y) {
        for (int x = x0 + static_cast<int>(box.left * sx) + 1; x < x0 + static_cast<int>(box.right * sx) - 1; ++x) {
            const uint8_t* p = picture.at(x, y);
            const double value = (p[0] + p[1] + p[2]) / 3.0;
            sum += value;
            stats.inked += value < 200;
            stats.touched += value < 250;
            ++stats.pixels;
        }
    }
    stats.lightness = stats.pixels ? sum / stats.pixels : 0;
    return stats;
}

Stats measureAll(const Raster& picture)
{
    return measure(picture, {0, 0, 595, 842});
}

bool samePixels(const Raster& a, const Raster& b)
{
    return a.width == b.width && a.height == b.height && a.pixels == b.pixels;
}

namespace {

char colourName(const uint8_t* p)
{
    const bool r = p[0] > 128, g = p[1] > 128, b = p[2] > 128;
    return r && g && !b ? 'y' : r && !g && !b ? 'r' : !r && g && !b ? 'g' : !r && !g && b ? 'b' : '?';
}

} // namespace

std::string blocksAcross(const Raster& picture)
{
    std::string blocks;
    const int y = picture.height / 4;
    for (int x = 0, start = -1; x <= picture.width; ++x) {
        const uint8_t* p = x < picture.width ? picture.at(x, y) : nullptr;
        const bool coloured = p && (p[0] < 200 || p[1] < 200 || p[2] < 200);
        if (coloured && start < 0) start = x;
        if (!coloured && start >= 0) {
            blocks += colourName(picture.at((start + x) / 2, y));
            start = -1;
        }
    }
    return blocks;
}

Raster readPng(const std::string& path)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return {};
    image.format = PNG_FORMAT_RGB;
    Raster picture(static_cast<int>(image.width), static_cast<int>(image.height), 3);
    if (!png_image_finish_read(&image, nullptr, picture.pixels.data(), 0, nullptr)) {
        png_image_free(&image);
        return {};
    }
    return picture;
}

int colourfulPixels(const Raster& picture)
{
    int colourful = 0;
    for (size_t i = 0; i + 2 < picture.pixels.size(); i += 3)
        colourful += picture.pixels[i] != picture.pixels[i + 1] || picture.pixels[i + 1] != picture.pixels[i + 2];
    return colourful;
}

} // namespace previewtest
