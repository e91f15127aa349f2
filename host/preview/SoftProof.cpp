// SPDX-License-Identifier: Apache-2.0
// Relative colorimetric without black point compensation: the paper shows as the screen's white and
// the printer's black keeps its limited depth, as a proof should show it.
#include "host/preview/SoftProof.h"

#include "host/preview/LcmsHandles.h"

#include <algorithm>
#include <cmath>

namespace host::preview {
namespace {

// Brightness moves toner along a power curve: lighter settings lay less of it in the midtones.
double brightnessExponent(int brightness)
{
    switch (brightness) {
    case -2:
        return 0.7;
    case -1:
        return 0.85;
    case 1:
        return 1.2;
    case 2:
        return 1.45;
    default:
        return 1.0;
    }
}

// sRGB's encoding of a lightness L* (D50 white, neutral): the same value for R, G and B.
uint8_t grayForLightness(double lightness)
{
    const double y = lightness > 8 ? std::pow((lightness + 16) / 116, 3) : lightness / 903.3;
    const double encoded = y <= 0.0031308 ? 12.92 * y : 1.055 * std::pow(y, 1 / 2.4) - 0.055;
    return static_cast<uint8_t>(std::lround(std::clamp(encoded, 0.0, 1.0) * 255));
}

} // namespace

struct SoftProof::Transforms {
    LcmsTransform toScreen;
    bool ready = false;
};

SoftProof::SoftProof(std::string printerProfile) : printerProfile_(std::move(printerProfile)) { }

SoftProof::~SoftProof() = default;

void SoftProof::applyTonerCurves(Raster& toner, const ColourPlan& plan)
{
    if (!plan.econoMode && plan.brightness == 0) return;
    const double exponent = brightnessExponent(plan.brightness);
    const double share = plan.econoMode ? kEconoToner : 1.0;
    std::array<uint8_t, 256> curve{};
    for (int v = 0; v < 256; ++v)
        curve[static_cast<size_t>(v)] = static_cast<uint8_t>(std::lround(255 * share * std::pow(v / 255.0, exponent)));
    for (uint8_t& value : toner.pixels) value = curve[value];
}

bool SoftProof::prepare()
{
    if (transforms_) return transforms_->ready;
    transforms_ = std::make_unique<Transforms>();
    LcmsProfile printer(cmsOpenProfileFromFile(printerProfile_.c_str(), "r"));
    LcmsProfile screen(cmsCreate_sRGBProfile());
    LcmsProfile lab(cmsCreateLab4Profile(nullptr));
    if (!printer) return false;
    transforms_->toScreen.reset(
        cmsCreateTransform(printer.get(), TYPE_CMYK_8, screen.get(), TYPE_RGB_8, INTENT_RELATIVE_COLORIMETRIC, 0));
    LcmsTransform toLab(
        cmsCreateTransform(printer.get(), TYPE_CMYK_8, lab.get(), TYPE_Lab_DBL, INTENT_RELATIVE_COLORIMETRIC, 0));
    if (!transforms_->toScreen || !toLab) return false;
    for (int k = 0; k < 256; ++k) {
        const uint8_t toner[4] = {0, 0, 0, static_cast<uint8_t>(k)};
        cmsCIELab value{};
        cmsDoTransform(toLab.get(), toner, &value, 1);
        blackToGray_[static_cast<size_t>(k)] = grayForLightness(value.L);
    }
    transforms_->ready = true;
    return true;
}

std::optional<Raster> SoftProof::proofCmyk(const Raster& cmyk)
{
    if (cmyk.channels != 4 || !prepare()) return std::nullopt;
    Raster screen(cmyk.width, cmyk.height, 3);
    cmsDoTransform(transforms_->toScreen.get(), cmyk.pixels.data(), screen.pixels.data(),
        static_cast<cmsUInt32Number>(cmyk.width) * static_cast<cmsUInt32Number>(cmyk.height));
    return screen;
}

std::optional<Raster> SoftProof::proofBlack(const Raster& black)
{
    if (black.channels != 1 || !prepare()) return std::nullopt;
    Raster screen(black.width, black.height, 3);
    for (size_t i = 0; i < black.pixels.size(); ++i) {
        const uint8_t gray = blackToGray_[black.pixels[i]];
        std::fill_n(screen.pixels.data() + i * 3, 3, gray);
    }
    return screen;
}

} // namespace host::preview
