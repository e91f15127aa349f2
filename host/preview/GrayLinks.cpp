// SPDX-License-Identifier: Apache-2.0
// The link's table is sampled on a grid whose diagonal holds every neutral node, so interpolation
// between two neutral nodes stays neutral: a gray of the document lands on the K plate alone.
#include "host/preview/GrayLinks.h"

#include "host/Translate.h"
#include "host/preview/LcmsHandles.h"

#include <array>
#include <cmath>
#include <memory>

namespace host::preview {
namespace {

constexpr int kRgbGrid = 17;
// The transforms below are evaluated at the grid's nodes only: lcms2's own precalculation would cost
// more than the sampling it speeds up.
constexpr cmsUInt32Number kSampling = cmsFLAGS_NOOPTIMIZE;
// Ghostscript refuses a one-input table of 256 points or more.
constexpr int kGrayGrid = 129;

LcmsProfile srgbGray()
{
    // The sRGB tone curve: IEC 61966-2.1's parameters for lcms2's type 4 curve.
    const cmsFloat64Number parameters[5] = {2.4, 1 / 1.055, 0.055 / 1.055, 1 / 12.92, 0.04045};
    cmsToneCurve* curve = cmsBuildParametricToneCurve(nullptr, 4, parameters);
    LcmsProfile profile(cmsCreateGrayProfile(cmsD50_xyY(), curve));
    cmsFreeToneCurve(curve);
    return profile;
}

// For True Gray: the black toner (16 bits) whose lightness on the destination is a given L*.
class BlackTone {
public:
    explicit BlackTone(cmsHPROFILE destination)
    {
        LcmsProfile lab(cmsCreateLab4Profile(nullptr));
        LcmsTransform toLab(cmsCreateTransform(
            destination, TYPE_CMYK_16, lab.get(), TYPE_Lab_DBL, INTENT_RELATIVE_COLORIMETRIC, kSampling));
        for (size_t k = 0; k < lightness_.size(); ++k) {
            const cmsUInt16Number toner[4] = {
                0, 0, 0, static_cast<cmsUInt16Number>(k * 65535 / (lightness_.size() - 1))};
            cmsCIELab value{100, 0, 0};
            if (toLab) cmsDoTransform(toLab.get(), toner, &value, 1);
            lightness_[k] = value.L;
        }
    }

    cmsUInt16Number tonerFor(double lightness) const
    {
        // Lightness falls as toner grows; the first step at or below the target, interpolated.
        for (size_t k = 1; k < lightness_.size(); ++k) {
            if (lightness_[k] > lightness) continue;
            const double span = lightness_[k - 1] - lightness_[k];
            const double part = span > 0 ? (lightness_[k - 1] - lightness) / span : 1;
            return static_cast<cmsUInt16Number>(std::lround(
                (static_cast<double>(k - 1) + part) * 65535.0 / static_cast<double>(lightness_.size() - 1)));
        }
        return 65535;
    }

private:
    std::array<double, 256> lightness_{};
};

struct Sampling {
    cmsHTRANSFORM toDestination = nullptr; // RGB -> CMYK; null for None
    cmsHTRANSFORM grayToLab = nullptr;     // the gray's lightness, for True Gray
    GrayTreatment gray = GrayTreatment::BlackOnly;
    const BlackTone* tone = nullptr;
};

cmsUInt16Number blackFor(const Sampling& sampling, const cmsUInt16Number value[])
{
    if (sampling.gray != GrayTreatment::TrueGray) return static_cast<cmsUInt16Number>(65535 - value[0]);
    cmsCIELab lab{};
    cmsDoTransform(sampling.grayToLab, value, &lab, 1);
    return sampling.tone->tonerFor(lab.L);
}

int sampleRgb(const cmsUInt16Number in[], cmsUInt16Number out[], void* cargo)
{
    const auto& sampling = *static_cast<const Sampling*>(cargo);
    if (in[0] == in[1] && in[1] == in[2]) {
        out[0] = out[1] = out[2] = 0;
        out[3] = blackFor(sampling, in);
    } else if (sampling.toDestination) {
        cmsDoTransform(sampling.toDestination, in, out, 1);
    } else {
        for (int c = 0; c < 3; ++c) out[c] = static_cast<cmsUInt16Number>(65535 - in[c]);
        out[3] = 0;
    }
    return 1;
}

int sampleGray(const cmsUInt16Number in[], cmsUInt16Number out[], void* cargo)
{
    out[0] = out[1] = out[2] = 0;
    out[3] = blackFor(*static_cast<const Sampling*>(cargo), in);
    return 1;
}

bool saveLink(cmsColorSpaceSignature input, int grid, cmsSAMPLER16 sampler, Sampling& sampling, const std::string& path)
{
    const cmsUInt32Number channels = input == cmsSigRgbData ? 3 : 1;
    LcmsProfile link(cmsCreateProfilePlaceholder(nullptr));
    cmsSetProfileVersion(link.get(), 4.3);
    cmsSetDeviceClass(link.get(), cmsSigLinkClass);
    cmsSetColorSpace(link.get(), input);
    cmsSetPCS(link.get(), cmsSigCmykData);
    cmsPipeline* pipeline = cmsPipelineAlloc(nullptr, channels, 4);
    cmsStage* table = cmsStageAllocCLut16bit(nullptr, static_cast<cmsUInt32Number>(grid), channels, 4, nullptr);
    bool ok = pipeline && table && cmsStageSampleCLut16bit(table, sampler, &sampling, 0);
    if (ok) {
        cmsPipelineInsertStage(pipeline, cmsAT_END, cmsStageAllocToneCurves(nullptr, channels, nullptr));
        cmsPipelineInsertStage(pipeline, cmsAT_END, table);
        cmsPipelineInsertStage(pipeline, cmsAT_END, cmsStageAllocToneCurves(nullptr, 4, nullptr));
        table = nullptr;
    }
    cmsMLU* description = cmsMLUalloc(nullptr, 1);
    cmsMLUsetASCII(description, "en", "US", "printdialog gray to black link");
    ok = ok && cmsWriteTag(link.get(), cmsSigAToB0Tag, pipeline) &&
        cmsWriteTag(link.get(), cmsSigProfileDescriptionTag, description) &&
        cmsWriteTag(link.get(), cmsSigCopyrightTag, description) && cmsSaveProfileToFile(link.get(), path.c_str());
    cmsMLUfree(description);
    if (table) cmsStageFree(table);
    if (pipeline) cmsPipelineFree(pipeline);
    return ok;
}

bool fail(std::string* error, const std::string& reason)
{
    if (error) *error = reason;
    return false;
}

} // namespace

bool GrayLinks::writeRgbLink(const std::string& source, const std::string& destination, int intent, GrayTreatment gray,
    const std::string& path, std::string* error)
{
    LcmsProfile output(cmsOpenProfileFromFile(destination.c_str(), "r"));
    LcmsProfile input(source.empty() ? cmsCreate_sRGBProfile() : cmsOpenProfileFromFile(source.c_str(), "r"));
    LcmsProfile lab(cmsCreateLab4Profile(nullptr));
    if (!output || !input) return fail(error, tr("a profile cannot be read"));
    LcmsTransform toDestination(source.empty()
            ? nullptr
            : cmsCreateTransform(input.get(), TYPE_RGB_16, output.get(), TYPE_CMYK_16,
                  static_cast<cmsUInt32Number>(intent), kSampling | cmsFLAGS_BLACKPOINTCOMPENSATION));
    LcmsTransform grayToLab(
        cmsCreateTransform(input.get(), TYPE_RGB_16, lab.get(), TYPE_Lab_DBL, INTENT_RELATIVE_COLORIMETRIC, kSampling));
    if ((!source.empty() && !toDestination) || !grayToLab) return fail(error, tr("lcms2 cannot join the profiles"));
    const BlackTone tone(output.get());
    Sampling sampling{toDestination.get(), grayToLab.get(), gray, &tone};
    if (!saveLink(cmsSigRgbData, kRgbGrid, sampleRgb, sampling, path))
        return fail(error, tr("the link cannot be written"));
    return true;
}

bool GrayLinks::writeGrayLink(
    const std::string& destination, GrayTreatment gray, const std::string& path, std::string* error)
{
    LcmsProfile output(cmsOpenProfileFromFile(destination.c_str(), "r"));
    LcmsProfile input = srgbGray();
    LcmsProfile lab(cmsCreateLab4Profile(nullptr));
    if (!output || !input) return fail(error, tr("a profile cannot be read"));
    LcmsTransform grayToLab(cmsCreateTransform(
        input.get(), TYPE_GRAY_16, lab.get(), TYPE_Lab_DBL, INTENT_RELATIVE_COLORIMETRIC, kSampling));
    if (!grayToLab) return fail(error, tr("lcms2 cannot read the gray profile"));
    const BlackTone tone(output.get());
    Sampling sampling{nullptr, grayToLab.get(), gray, &tone};
    if (!saveLink(cmsSigGrayData, kGrayGrid, sampleGray, sampling, path))
        return fail(error, tr("the link cannot be written"));
    return true;
}

} // namespace host::preview
