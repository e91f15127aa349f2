// SPDX-License-Identifier: Apache-2.0
// An engine on the sample PPD and the built printer profile, jobs over the test documents, and
// measures of the pictures it draws.
#pragma once

#include "host/preview/PreviewEngine.h"
#include "preview/TestDocuments.h"

#include <memory>
#include <string>

namespace previewtest {

using host::preview::PreviewJob;
using host::preview::Raster;

// An engine whose user profile folder is `userProfiles`; the test fails when it cannot be made.
std::unique_ptr<host::preview::PreviewEngine> engine(const std::string& userProfiles = {});

// A proof job of one document with the panel's settings (Quick Color Custom unless given).
PreviewJob job(const std::string& document, host::preview::OptionMap ticket = {}, host::preview::OptionMap layout = {});

struct Stats {
    double lightness = 0; // mean of (R + G + B) / 3
    int inked = 0;        // pixels darker than light gray
    int touched = 0;      // pixels not quite white: some toner
    int pixels = 0;
};

// Measures a box given in points of an A4 page that fills `picture` (or, with `plate` 0..3, that
// fills that plate of a separation view).
Stats measure(const Raster& picture, const testdocs::Box& box, int plate = -1);
Stats measureAll(const Raster& picture);
bool samePixels(const Raster& a, const Raster& b);

// The colours of the blocks met along a row a quarter down the sheet (through the first row of page
// images), left to right: 'r', 'g', 'b', 'y' for the coloured pages, '?' for another colour.
std::string blocksAcross(const Raster& picture);
// The pixels of a PNG file as RGB; empty when it cannot be read.
Raster readPng(const std::string& path);
// Pixels whose red, green and blue are not all the same.
int colourfulPixels(const Raster& picture);

} // namespace previewtest
