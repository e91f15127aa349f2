// SPDX-License-Identifier: Apache-2.0
// Shows toner on the screen: CMYK through the printer's profile into sRGB (lcms2), black toner alone
// as a neutral gray of the lightness it prints with, and EconoMode's and Brightness's toner curves.
#pragma once

#include "host/preview/ColourPlan.h"
#include "host/preview/Raster.h"

#include <array>
#include <memory>
#include <optional>
#include <string>

namespace host::preview {

class SoftProof {
public:
    // The share of toner EconoMode leaves; the proof's notes say so.
    static constexpr double kEconoToner = 0.5;

    // printerProfile: the printer's CMYK output profile; read on first use.
    explicit SoftProof(std::string printerProfile);
    ~SoftProof();
    SoftProof(const SoftProof&) = delete;
    SoftProof& operator=(const SoftProof&) = delete;

    // EconoMode and Brightness as the printer applies them, to every channel of a toner raster.
    static void applyTonerCurves(Raster& toner, const ColourPlan& plan);

    // A CMYK toner raster as it prints, in sRGB; nullopt when the printer's profile cannot be read.
    std::optional<Raster> proofCmyk(const Raster& cmyk);
    // A black toner raster (1 channel) as it prints: gray, R = G = B in every pixel.
    std::optional<Raster> proofBlack(const Raster& black);

    // Reads the printer's profile and builds the transforms now (the first proof does otherwise);
    // another thread may do it while Ghostscript draws, as long as nothing else uses the object
    // meanwhile. False when the profile cannot be read.
    bool prepare();

private:
    std::string printerProfile_;
    struct Transforms;
    std::unique_ptr<Transforms> transforms_;
    std::array<uint8_t, 256> blackToGray_{};
};

} // namespace host::preview
