// SPDX-License-Identifier: Apache-2.0
// Gray sources follow the same treatment as RGB ones (DeviceGrayToK is off, so "Composite" means all
// four toners); CMYK sources are simulated with the simulation profile, or go through untouched.
#include "host/preview/ColourArguments.h"

#include "host/preview/GrayLinks.h"

#include <filesystem>
#include <fstream>

namespace host::preview {
namespace {

constexpr const char* kKinds[] = {"Image", "Text", "Graphic"};

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

// The object file's profile for one kind of object and source space: a link when grays go to black
// alone, else the source profile (the destination follows from the object's output profile).
std::optional<std::string> ColourArguments::sourceFor(const ObjectColour& object, bool rgb, std::string* error)
{
    if (object.gray != GrayTreatment::Composite) return link(object, rgb, error);
    if (!rgb) return stage(grayProfile_);
    return object.source.empty() ? std::optional<std::string>("None") : stage(object.source);
}

std::optional<std::string> ColourArguments::objectLines(const ColourPlan& plan, std::string* error)
{
    const ObjectColour* objects[] = {&plan.image, &plan.text, &plan.graphics};
    const bool simulated = !plan.simulation.profile.empty();
    const std::optional<std::string> simulation = simulated ? stage(plan.simulation.profile) : std::nullopt;
    if (simulated && !simulation) return std::nullopt;
    std::string lines;
    for (int k = 0; k < 3; ++k) {
        const std::string kind = kKinds[k];
        const std::optional<std::string> rgb = sourceFor(*objects[k], true, error);
        const std::optional<std::string> gray = sourceFor(*objects[k], false, error);
        if (!rgb || !gray) return std::nullopt;
        lines += (*rgb == "None" ? kind + "_RGB\tNone" : line(kind + "_RGB", *rgb, objects[k]->intent)) + "\n";
        lines += line(kind + "_GRAY", *gray, objects[k]->intent) + "\n";
        lines += simulated ? line(kind + "_CMYK", *simulation, plan.simulation.intent) + "\t" +
                std::to_string(blackPreservation(plan.simulation.gray)) + "\n"
                           : kind + "_CMYK\tNone\n";
    }
    return lines;
}

std::optional<std::vector<std::string>> ColourArguments::forPlan(const ColourPlan& plan, std::string* error)
{
    const std::string key = plan.renderKey();
    auto found = plans_.find(key);
    if (found != plans_.end()) return found->second;
    const auto printer = stage(printerProfile_);
    const auto image = stage(plan.image.destination);
    const auto text = stage(plan.text.destination);
    const auto graphics = stage(plan.graphics.destination);
    const auto lines = objectLines(plan, error);
    if (!printer || !image || !text || !graphics || !lines) {
        if (error && error->empty()) *error = "a colour profile cannot be read";
        return std::nullopt;
    }
    const std::string name = "objects" + std::to_string(plans_.size()) + ".txt";
    std::ofstream(folder_ + "/" + name) << *lines;
    std::vector<std::string> arguments = {"-sOutputICCProfile=" + *printer, "-sImageICCProfile=" + *image,
        "-sTextICCProfile=" + *text, "-sVectorICCProfile=" + *graphics,
        "-dImageIntent=" + std::to_string(plan.image.intent), "-dTextIntent=" + std::to_string(plan.text.intent),
        "-dVectorIntent=" + std::to_string(plan.graphics.intent), "-dDeviceGrayToK=false", "-sSourceObjectICC=" + name};
    plans_[key] = arguments;
    return arguments;
}

} // namespace host::preview
