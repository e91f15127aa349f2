// SPDX-License-Identifier: Apache-2.0
// Gray sources follow the same treatment as RGB ones (DeviceGrayToK is off, so "Composite" means all
// four toners); CMYK sources are simulated with the simulation profile, or go through untouched.
#include "host/preview/ColourArguments.h"

#include "host/Translate.h"
#include "host/preview/GhostscriptRaster.h"
#include "host/preview/GrayLinks.h"

#include <filesystem>
#include <fstream>

namespace host::preview {
namespace {

constexpr const char* kKinds[] = {"Image", "Text", "Graphic"};
constexpr const char* kPageKinds[] = {"Image", "Text", "Vector"};

int blackPreservation(GrayTreatment gray)
{
    // lcms2's K-only and K-plane preservation, for CMYK into CMYK.
    return gray == GrayTreatment::BlackOnly ? 1 : gray == GrayTreatment::TrueGray ? 2 : 0;
}

std::string line(const std::string& key, const std::string& profile, int intent)
{
    return key + "\t" + profile + "\t" + std::to_string(intent) + "\t1\t0";
}

} // namespace

ColourArguments::ColourArguments(
    std::string workFolder, std::string printerProfile, std::string rgbProfile, std::string grayProfile)
    : folder_(std::move(workFolder)), printerProfile_(std::move(printerProfile)), rgbProfile_(std::move(rgbProfile)),
      grayProfile_(std::move(grayProfile))
{
}

std::optional<std::string> ColourArguments::stage(const std::string& path)
{
    auto found = staged_.find(path);
    if (found != staged_.end()) return found->second;
    const std::string name = "profile" + std::to_string(staged_.size()) + ".icc";
    std::error_code failed;
    std::filesystem::copy_file(path, folder_ + "/" + name, std::filesystem::copy_options::overwrite_existing, failed);
    if (failed) return std::nullopt;
    staged_[path] = name;
    return name;
}

std::optional<std::string> ColourArguments::link(const ObjectColour& object, bool rgb, std::string* error)
{
    const std::string recipe = std::string(rgb ? "rgb|" : "gray|") + object.source + '|' + object.destination + '|' +
        std::to_string(object.intent) + '|' + std::to_string(static_cast<int>(object.gray));
    auto found = links_.find(recipe);
    if (found != links_.end()) return found->second;
    const std::string name = "link" + std::to_string(links_.size()) + ".icc";
    const std::string path = folder_ + "/" + name;
    const bool written = rgb
        ? GrayLinks::writeRgbLink(object.source, object.destination, object.intent, object.gray, path, error)
        : GrayLinks::writeGrayLink(object.destination, object.gray, path, error);
    if (!written) return std::nullopt;
    links_[recipe] = name;
    return name;
}

// Lines only where the defaults do not already say it, so that most changes leave the file, and the
// running Ghostscript, as they are.
std::optional<std::string> ColourArguments::objectLines(const ColourPlan& plan, std::string* error)
{
    const ObjectColour* objects[] = {&plan.image, &plan.text, &plan.graphics};
    const bool simulated = !plan.simulation.profile.empty();
    const std::optional<std::string> simulation = simulated ? stage(plan.simulation.profile) : std::nullopt;
    if (simulated && !simulation) return std::nullopt;
    std::string lines;
    for (int k = 0; k < 3; ++k) {
        const std::string kind = kKinds[k];
        const ObjectColour& object = *objects[k];
        if (object.gray != GrayTreatment::Composite) {
            const auto rgb = link(object, true, error), gray = link(object, false, error);
            if (!rgb || !gray) return std::nullopt;
            lines +=
                line(kind + "_RGB", *rgb, object.intent) + "\n" + line(kind + "_GRAY", *gray, object.intent) + "\n";
        } else if (object.source.empty()) {
            lines += kind + "_RGB\tNone\n";
        } else if (object.source != rgbProfile_) {
            const auto source = stage(object.source);
            if (!source) return std::nullopt;
            lines += line(kind + "_RGB", *source, object.intent) + "\n";
        }
        lines += simulated ? line(kind + "_CMYK", *simulation, plan.simulation.intent) + "\t" +
                std::to_string(blackPreservation(plan.simulation.gray)) + "\n"
                           : kind + "_CMYK\tNone\n";
    }
    return lines;
}

std::optional<std::string> ColourArguments::objectFile(const std::string& lines)
{
    auto found = objectFiles_.find(lines);
    if (found != objectFiles_.end()) return found->second;
    const std::string name = "objects" + std::to_string(objectFiles_.size()) + ".txt";
    std::ofstream file(folder_ + "/" + name);
    file << lines;
    if (!file.flush()) return std::nullopt;
    objectFiles_[lines] = name;
    return name;
}

std::optional<std::string> ColourArguments::pageEntries(const ColourPlan& plan)
{
    const ObjectColour* objects[] = {&plan.image, &plan.text, &plan.graphics};
    std::string entries;
    for (int k = 0; k < 3; ++k) {
        const auto destination = stage(objects[k]->destination);
        if (!destination) return std::nullopt;
        const std::string kind = kPageKinds[k];
        entries += "/" + kind + "ICCProfile " + GhostscriptRaster::postScriptString(folder_ + "/" + *destination) +
            " /" + kind + "Intent " + std::to_string(objects[k]->intent) + " ";
    }
    return entries;
}

std::optional<ColourSetup> ColourArguments::forPlan(const ColourPlan& plan, std::string* error)
{
    const auto printer = stage(printerProfile_), rgb = stage(rgbProfile_), gray = stage(grayProfile_);
    const auto lines = objectLines(plan, error);
    const auto file = lines ? objectFile(*lines) : std::nullopt;
    const auto page = pageEntries(plan);
    if (!printer || !rgb || !gray || !file || !page) {
        if (error && error->empty()) *error = tr("a colour profile cannot be read");
        return std::nullopt;
    }
    return ColourSetup{{"-sOutputICCProfile=" + *printer, "-sDefaultRGBProfile=" + *rgb,
                           "-sDefaultGrayProfile=" + *gray, "-dDeviceGrayToK=false", "-sSourceObjectICC=" + *file},
        *page};
}

} // namespace host::preview
