// SPDX-License-Identifier: Apache-2.0
// Every note a plan carries is a sentence for the person looking at the proof.
#include "host/preview/ColourPlanner.h"

#include "host/Translate.h"
#include "host/preview/QuickColorPresets.h"

namespace host::preview {

struct ColourPlanner::Context {
    const std::map<std::string, std::string>& ticket;
    int preset; // 0, 1, 2; -1 when the advanced options stand as chosen
    std::vector<std::string>& notes;

    std::string entry(const std::string& key) const
    {
        auto found = ticket.find(key);
        return found == ticket.end() ? "" : found->second;
    }
};

namespace {

ProfileUse useOf(ProfileRole role)
{
    switch (role) {
    case ProfileRole::RgbSource:
        return ProfileUse::RgbSource;
    case ProfileRole::Destination:
        return ProfileUse::CmykOutput;
    default:
        return ProfileUse::CmykSource;
    }
}

std::string choiceText(const OptionChoices& option, const std::string& choice)
{
    const int index = option.indexOf(choice);
    return index < 0 ? choice : option.choiceTexts[static_cast<size_t>(index)];
}

} // namespace

std::string ColourPlanner::choice(const Context& context, const std::string& key) const
{
    const OptionChoices* option = printer_.option(key);
    if (!option) return {};
    if (std::optional<int> index = QuickColorPresets::choiceIndex(context.preset, key)) {
        const std::string preset = option->at(*index);
        return preset.empty() ? option->defaultChoice : preset;
    }
    const std::string chosen = context.entry(key);
    return option->indexOf(chosen) >= 0 ? chosen : option->defaultChoice;
}

std::string ColourPlanner::profileFile(Context& context, const std::string& key, ProfileRole role, int intent) const
{
    const OptionChoices* option = printer_.option(key);
    std::string chosen = choice(context, key);
    if (option && context.preset < 0 && context.entry(key + "Custom") == "True") {
        const UserProfile user = userProfiles_.find(context.entry(key + "CustomFilename"), useOf(role), intent);
        if (!user.path.empty()) return user.path;
        const std::string fallback = choiceText(*option, option->defaultChoice);
        context.notes.push_back(user.problem.empty() ? trf("{1}: no local copy of {2} in {3}; proofed as {4}.",
                                                           {option->text, user.name, userProfiles_.folder(), fallback})
                                                     : trf("{1}: {2} is not used ({3}); proofed as {4}.",
                                                           {option->text, user.name, user.problem, fallback}));
        chosen = option->defaultChoice;
    }
    std::optional<ProfileChoice> profile = table_.profile(role, chosen);
    if (!profile && option) profile = table_.profile(role, option->defaultChoice);
    if (!profile) return {};
    if (!profile->standIn.empty() && option)
        context.notes.push_back(trf("{1} {2}: Debian ships no profile of it; simulated with {3}.",
            {option->text, choiceText(*option, chosen), profile->standIn}));
    return profile->file;
}

ObjectColour ColourPlanner::object(Context& context, const std::string& kind) const
{
    ObjectColour result;
    result.intent = ProfileTable::intent(choice(context, "TL" + kind + "RenderIntent")).value_or(kRelative);
    result.gray =
        ProfileTable::grayTreatment(choice(context, "TL" + kind + "GrayTreatment")).value_or(GrayTreatment::Composite);
    result.source = profileFile(context, "TL" + kind + "RGBSource", ProfileRole::RgbSource, result.intent);
    result.destination =
        profileFile(context, "TL" + kind + "DestinationProfile", ProfileRole::Destination, result.intent);
    if (result.destination.empty()) result.destination = table_.printerProfile();
    return result;
}

SimulationColour ColourPlanner::simulation(Context& context) const
{
    SimulationColour result;
    result.intent = ProfileTable::intent(choice(context, "TLSimRenderIntent")).value_or(kRelative);
    result.gray = ProfileTable::grayTreatment(choice(context, "TLSimGrayTreatment")).value_or(GrayTreatment::Composite);
    result.profile = profileFile(context, "TLSimSource", ProfileRole::Simulation, result.intent);
    return result;
}

ColourPlan ColourPlanner::plan(const std::map<std::string, std::string>& ticket) const
{
    ColourPlan plan;
    Context context{ticket, -1, plan.notes};
    if (const OptionChoices* quick = printer_.option("TLQuickColor")) {
        const std::string chosen = context.entry("TLQuickColor");
        const int index = quick->indexOf(quick->indexOf(chosen) >= 0 ? chosen : quick->defaultChoice);
        context.preset = index >= 0 && index < QuickColorPresets::kCustom ? index : -1;
    }
    plan.grayscale = choice(context, "TLColorAsGray") == "True";
    plan.separation = choice(context, "TLColorSeparation") == "True";
    plan.econoMode = choice(context, "TLEconoMode") == "True";
    const std::string brightness = choice(context, "TLBrightness");
    plan.brightness = brightness == "Minus2" ? -2
        : brightness == "Minus1"             ? -1
        : brightness == "Plus1"              ? 1
        : brightness == "Plus2"              ? 2
                                             : 0;
    if (!plan.grayscale) {
        plan.image = object(context, "Image");
        plan.text = object(context, "Text");
        plan.graphics = object(context, "Graphics");
        plan.simulation = simulation(context);
    }
    plan.notes.push_back(tr("Halftone and edge enhancement are not simulated."));
    if (plan.econoMode) plan.notes.push_back(tr("EconoMode is proofed with half the toner (50 %)."));
    return plan;
}

} // namespace host::preview
