// SPDX-License-Identifier: Apache-2.0
// Choosing PPD choices named on the command line through the panel's controls.
#include "host/CommandLineChoices.h"

#include "host/CupsOptions.h"
#include "host/Translate.h"
#include "print/PMCalls.h"
#include "ui/Button.h"
#include "ui/PopUpButton.h"

#include <cups/cups.h>

#include <string_view>

#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace host {
namespace {

// The control of each PPD option the panel shows, by its id in the interface description.
constexpr std::pair<std::string_view, std::string_view> kControlOfOption[] = {
    {"TLQuickColor", "menu_QuickColor"},
    {"TLBrightness", "menu_Brightness"},
    {"TLColorAsGray", "check_ColorAsGrayscale"},
    {"TLColorSeparation", "check_ColorSeparation"},
    {"TLEconoMode", "check_EconomyPrint"},
    {"TLEdgeType", "menu_EdgeStrength"},
    {"TLImageRGBSource", "menu_iRGBSource"},
    {"TLImageRenderIntent", "menu_iRGBIntent"},
    {"TLImageGrayTreatment", "menu_iRGBGrayTreatment"},
    {"TLImageDestinationProfile", "menu_iDestinationProfile"},
    {"TLImageHalftone", "menu_iHalftone"},
    {"TLImageEdgeEnhance", "menu_iEdgeEnhancement"},
    {"TLTextRGBSource", "menu_tRGBSource"},
    {"TLTextRenderIntent", "menu_tRGBIntent"},
    {"TLTextGrayTreatment", "menu_tRGBGrayTreatment"},
    {"TLTextDestinationProfile", "menu_tDestinationProfile"},
    {"TLTextHalftone", "menu_tHalftone"},
    {"TLTextEdgeEnhance", "menu_tEdgeEnhancement"},
    {"TLGraphicsRGBSource", "menu_gRGBSource"},
    {"TLGraphicsRenderIntent", "menu_gRGBIntent"},
    {"TLGraphicsGrayTreatment", "menu_gRGBGrayTreatment"},
    {"TLGraphicsDestinationProfile", "menu_gDestinationProfile"},
    {"TLGraphicsHalftone", "menu_gHalftone"},
    {"TLGraphicsEdgeEnhance", "menu_gEdgeEnhancement"},
    {"TLSimSource", "menu_sSimulationProfile"},
    {"TLSimRenderIntent", "menu_sMatchPaperColor"},
    {"TLSimGrayTreatment", "menu_sCMYKGrayTreatment"},
};

std::string_view controlOf(std::string_view option)
{
    for (const auto& [name, id] : kControlOfOption)
        if (name == option) return id;
    return {};
}

std::string validOptions(ppd_file_t* ppd)
{
    std::string names;
    for (ppd_option_t* option = ppdFirstOption(ppd); option; option = ppdNextOption(ppd))
        names += (names.empty() ? "" : ", ") + std::string(option->keyword);
    return names;
}

std::string validChoices(const ppd_option_t& option)
{
    std::string names;
    for (int i = 0; i < option.num_choices; ++i) names += (i ? ", " : "") + std::string(option.choices[i].choice);
    return names;
}

bool choose(ui::Object* control, const std::string& choice)
{
    if (auto* box = dynamic_cast<ui::CheckBox*>(control)) {
        const int wanted = choice == "True" ? 1 : 0;
        return box->state() == wanted || box->userClick();
    }
    if (auto* popUp = dynamic_cast<ui::PopUpButton*>(control)) {
        for (int i = 0; i < popUp->numberOfItems(); ++i)
            if (popUp->items()[static_cast<size_t>(i)].representedObject == choice)
                return popUp->indexOfSelectedItem() == i || popUp->userSelectItem(i);
    }
    return false;
}

} // namespace

std::optional<CommandLineChoices> CommandLineChoices::check(
    const std::vector<std::string>& arguments, ppd_file_t* ppd, std::string* error)
{
    auto fail = [error](std::string reason) -> std::optional<CommandLineChoices> {
        if (error) *error = std::move(reason);
        return std::nullopt;
    };
    CommandLineChoices checked;
    for (const std::string& argument : arguments) {
        CupsOptions parsed;
        if (parsed.parse(argument) == 0) return fail(trf("-o {1}: not an option", {argument}));
        for (const cups_option_t& given : parsed) {
            ppd_option_t* option = ppd ? ppdFindOption(ppd, given.name) : nullptr;
            if (!option)
                return fail(
                    trf("-o {1}: the printer has no such option; its options are {2}", {argument, validOptions(ppd)}));
            ppd_choice_t* choice = ppdFindChoice(option, given.value);
            if (!choice)
                return fail(trf("-o {1}: {2} has no choice {3}; its choices are {4}",
                    {argument, option->keyword, given.value, validChoices(*option)}));
            checked.choices_.push_back({option->keyword, choice->choice});
        }
    }
    return checked;
}

bool CommandLineChoices::apply(Dialog& dialog, std::string* error) const
{
    ui::Nib* nib = dialog.nib();
    for (const Choice& c : choices_) {
        const std::string_view id = controlOf(c.option);
        if (id.empty()) {
            PMPrintSettingsSetValue(&dialog.ticket(), c.option, cf::String::create(c.choice), false);
            continue;
        }
        ui::Object* control = nib ? nib->object(std::string(id)) : nullptr;
        auto* view = dynamic_cast<ui::View*>(control);
        if (!view || !view->isEnabled() || !choose(control, c.choice)) {
            if (error) *error = trf("-o {1}={2}: the panel does not let {1} change now", {c.option, c.choice});
            return false;
        }
    }
    return true;
}

} // namespace host
