// SPDX-License-Identifier: Apache-2.0
// Debian ships no Euroscale or Japan Color profile (icc-profiles-free and colord have RGB profiles and
// FOGRA measurement data only): both simulate with Ghostscript's SWOP profile, and the proof says so.
// The printer's Standard table is not published: Ghostscript's SWOP profile as shipped stands for it.
#include "host/preview/ProfileTable.h"

#include <string_view>

namespace host::preview {
namespace {

struct Row {
    ProfileRole role;
    std::string_view choice;
    std::string_view file; // under the ICC folder; "" None; "@printer" the printer's own
    std::string_view standIn;
};

constexpr std::string_view kPrinter = "@printer";

constexpr Row kRows[] = {
    {ProfileRole::RgbSource, "None", "", ""},
    {ProfileRole::RgbSource, "sRGB", "ghostscript/srgb.icc", ""},
    {ProfileRole::RgbSource, "AdobeRGB", "ghostscript/a98.icc", ""},
    {ProfileRole::RgbSource, "ColorMatchRGB", "colord/ColorMatchRGB.icc", ""},
    {ProfileRole::Destination, "Auto", kPrinter, ""},
    {ProfileRole::Destination, "Standard", "ghostscript/default_cmyk.icc", ""},
    {ProfileRole::Destination, "Photo", kPrinter, ""},
    {ProfileRole::Destination, "Proof", "ghostscript/ps_cmyk.icc", ""},
    {ProfileRole::Simulation, "None", "", ""},
    {ProfileRole::Simulation, "SWOP", "ghostscript/default_cmyk.icc", ""},
    {ProfileRole::Simulation, "Euroscale", "ghostscript/default_cmyk.icc", "SWOP"},
    {ProfileRole::Simulation, "JapanColor", "ghostscript/default_cmyk.icc", "SWOP"},
};

} // namespace

std::optional<ProfileChoice> ProfileTable::profile(ProfileRole role, const std::string& choice) const
{
    for (const Row& row : kRows) {
        if (row.role != role || row.choice != choice) continue;
        ProfileChoice result;
        if (row.file == kPrinter)
            result.file = printerProfile_;
        else if (!row.file.empty())
            result.file = iccDir_ + "/" + std::string(row.file);
        result.standIn = row.standIn;
        return result;
    }
    return std::nullopt;
}

std::optional<int> ProfileTable::intent(const std::string& choice)
{
    if (choice == "Perceptual") return kPerceptual;
    if (choice == "Saturation") return kSaturation;
    if (choice == "Relative") return kRelative;
    if (choice == "Absolute") return kAbsolute;
    return std::nullopt;
}

std::optional<GrayTreatment> ProfileTable::grayTreatment(const std::string& choice)
{
    if (choice == "Composite") return GrayTreatment::Composite;
    if (choice == "BlackOnly") return GrayTreatment::BlackOnly;
    if (choice == "TrueGray") return GrayTreatment::TrueGray;
    return std::nullopt;
}

} // namespace host::preview
