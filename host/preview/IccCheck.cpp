// SPDX-License-Identifier: Apache-2.0
// A profile passes when lcms2 opens it, its class and colour space fit, and lcms2 builds the transform
// the proof will need (so a profile with broken tables is refused here, not in Ghostscript).
#include "host/preview/IccCheck.h"

#include "host/Translate.h"
#include "host/preview/LcmsHandles.h"

#include <memory>
#include <mutex>

namespace host::preview {
namespace {

std::string className(cmsProfileClassSignature signature)
{
    switch (signature) {
    case cmsSigDisplayClass:
        return tr("a display profile");
    case cmsSigInputClass:
        return tr("an input device profile");
    case cmsSigLinkClass:
        return tr("a device link");
    case cmsSigAbstractClass:
        return tr("an abstract profile");
    case cmsSigColorSpaceClass:
        return tr("a colour space profile");
    case cmsSigNamedColorClass:
        return tr("a named colour profile");
    default:
        return tr("a profile of another class");
    }
}

bool transformBuilds(cmsHPROFILE profile, ProfileUse use, int intent)
{
    LcmsProfile lab(cmsCreateLab4Profile(nullptr));
    const bool output = use == ProfileUse::CmykOutput;
    const cmsUInt32Number format = use == ProfileUse::RgbSource ? TYPE_RGB_8 : TYPE_CMYK_8;
    cmsHTRANSFORM transform = output
        ? cmsCreateTransform(lab.get(), TYPE_Lab_DBL, profile, format, static_cast<cmsUInt32Number>(intent), 0)
        : cmsCreateTransform(profile, format, lab.get(), TYPE_Lab_DBL, static_cast<cmsUInt32Number>(intent), 0);
    if (!transform) return false;
    cmsDeleteTransform(transform);
    return true;
}

// Keeps lcms2 from writing to the dialog's standard error while a user's file is tried.
void quiet(cmsContext, cmsUInt32Number, const char*) { }

} // namespace

std::optional<std::string> IccCheck::problem(const std::string& path, ProfileUse use, int intent)
{
    static std::once_flag silenced;
    std::call_once(silenced, [] { cmsSetLogErrorHandler(quiet); });
    LcmsProfile profile(cmsOpenProfileFromFile(path.c_str(), "r"));
    if (!profile) return tr("not an ICC profile");
    const bool rgb = use == ProfileUse::RgbSource;
    const cmsColorSpaceSignature space = cmsGetColorSpace(profile.get());
    if (space != (rgb ? cmsSigRgbData : cmsSigCmykData))
        return rgb ? tr("not an RGB profile") : tr("not a CMYK profile");
    const cmsProfileClassSignature kind = cmsGetDeviceClass(profile.get());
    if (use == ProfileUse::CmykOutput && kind != cmsSigOutputClass)
        return trf("{1}, not an output profile", {className(kind)});
    if (kind == cmsSigLinkClass || kind == cmsSigAbstractClass || kind == cmsSigNamedColorClass)
        return trf("{1}, not a source profile", {className(kind)});
    if (!transformBuilds(profile.get(), use, intent)) return tr("its tables cannot be used");
    return std::nullopt;
}

} // namespace host::preview
