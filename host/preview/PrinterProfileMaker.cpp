// SPDX-License-Identifier: Apache-2.0
// The new tables are sampled on a 33-point Lab grid through the base's own colorimetric table, in
// the base's encoding (a version 2 profile keeps version 2 Lab numbers), and kept with 8 bits a
// value as the base keeps its own: the proof draws 8-bit toner.
#include "host/preview/PrinterProfileMaker.h"

#include "host/preview/LcmsHandles.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace host::preview {
namespace {

constexpr int kGrid = 33;

struct Sampling {
    const cmsPipeline* colorimetric;
    double (*chroma)(double);
    bool version2;
};

double perceptualChroma(double chroma)
{
    using M = PrinterProfileMaker;
    return chroma <= M::kPerceptualKnee ? chroma
                                        : M::kPerceptualKnee + (chroma - M::kPerceptualKnee) * M::kPerceptualSlope;
}

double saturationChroma(double chroma)
{
    return chroma * PrinterProfileMaker::kSaturationGain;
}

int sample(const cmsUInt16Number in[], cmsUInt16Number out[], void* cargo)
{
    const auto& sampling = *static_cast<const Sampling*>(cargo);
    cmsCIELab lab{};
    if (sampling.version2)
        cmsLabEncoded2FloatV2(&lab, in);
    else
        cmsLabEncoded2Float(&lab, in);
    const double chroma = std::hypot(lab.a, lab.b);
    if (chroma > 0) {
        const double scale = sampling.chroma(chroma) / chroma;
        lab.a = std::clamp(lab.a * scale, -128.0, 127.0);
        lab.b = std::clamp(lab.b * scale, -128.0, 127.0);
    }
    cmsUInt16Number encoded[3];
    if (sampling.version2)
        cmsFloat2LabEncodedV2(encoded, &lab);
    else
        cmsFloat2LabEncoded(encoded, &lab);
    cmsPipelineEval16(encoded, out, sampling.colorimetric);
    return 1;
}

bool writeTable(cmsHPROFILE profile, cmsTagSignature tag, const Sampling& sampling)
{
    cmsPipeline* pipeline = cmsPipelineAlloc(nullptr, 3, 4);
    cmsStage* table = cmsStageAllocCLut16bit(nullptr, kGrid, 3, 4, nullptr);
    bool ok = pipeline && table && cmsStageSampleCLut16bit(table, sample, const_cast<Sampling*>(&sampling), 0);
    if (ok) {
        cmsPipelineInsertStage(pipeline, cmsAT_END, cmsStageAllocToneCurves(nullptr, 3, nullptr));
        cmsPipelineInsertStage(pipeline, cmsAT_END, table);
        cmsPipelineInsertStage(pipeline, cmsAT_END, cmsStageAllocToneCurves(nullptr, 4, nullptr));
        table = nullptr;
        cmsPipelineSetSaveAs8bitsFlag(pipeline, TRUE);
        ok = cmsWriteTag(profile, tag, pipeline);
    }
    if (table) cmsStageFree(table);
    if (pipeline) cmsPipelineFree(pipeline);
    return ok;
}

bool describe(cmsHPROFILE profile)
{
    cmsMLU* text = cmsMLUalloc(nullptr, 1);
    cmsMLUsetASCII(text, "en", "US", "TESSALUMA zq4410 (Artifex CMYK SWOP with own perceptual and saturation tables)");
    const bool ok = cmsWriteTag(profile, cmsSigProfileDescriptionTag, text);
    cmsMLUfree(text);
    return ok;
}

} // namespace

bool PrinterProfileMaker::write(const std::string& base, const std::string& path, std::string* error)
{
    auto fail = [&](const std::string& reason) {
        if (error) *error = reason;
        return false;
    };
    LcmsProfile profile(cmsOpenProfileFromFile(base.c_str(), "r"));
    if (!profile) return fail(base + ": not an ICC profile");
    if (cmsGetColorSpace(profile.get()) != cmsSigCmykData || cmsGetPCS(profile.get()) != cmsSigLabData)
        return fail(base + ": not a CMYK profile with a Lab connection space");
    const auto* colorimetric = static_cast<const cmsPipeline*>(cmsReadTag(profile.get(), cmsSigBToA1Tag));
    if (!colorimetric) return fail(base + ": no colorimetric table");
    // The base's tables may share one place in the file, which lcms2 keeps as one: the colorimetric
    // table is copied and written back in its own right before the others change.
    cmsPipeline* copy = cmsPipelineDup(colorimetric);
    const bool version2 = cmsGetEncodedICCversion(profile.get()) < 0x4000000;
    if (copy) cmsPipelineSetSaveAs8bitsFlag(copy, TRUE);
    const bool ok = copy && cmsWriteTag(profile.get(), cmsSigBToA1Tag, copy) &&
        cmsLinkTag(profile.get(), cmsSigAToB1Tag, cmsSigAToB0Tag) &&
        cmsLinkTag(profile.get(), cmsSigAToB2Tag, cmsSigAToB0Tag) &&
        writeTable(profile.get(), cmsSigBToA0Tag, {copy, perceptualChroma, version2}) &&
        writeTable(profile.get(), cmsSigBToA2Tag, {copy, saturationChroma, version2}) &&
        cmsWriteTag(profile.get(), cmsSigMediaWhitePointTag, cmsD50_XYZ()) && describe(profile.get()) &&
        cmsSaveProfileToFile(profile.get(), path.c_str());
    if (copy) cmsPipelineFree(copy);
    return ok ? true : fail(path + ": the profile cannot be written");
}

} // namespace host::preview
