// SPDX-License-Identifier: Apache-2.0
// Choosing PPD choices named on the command line through the panel's controls.
#include "host/CommandLineChoices.h"

#include "host/CupsOptions.h"
#include "host/JobValues.h"
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

// The panel's keys, then the panes' options.
std::string validOptions(Dialog& dialog)
{
    std::string names;
    for (const auto& [key, id] : kControlOfOption)
        if (dialog.ppd() && ppdFindOption(dialog.ppd(), std::string(key).c_str()))
            names += (names.empty() ? "" : ", ") + std::string(key);
    for (const PaneOption& option : dialog.panes().options()) names += (names.empty() ? "" : ", ") + option.name;
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

bool CommandLineChoices::checkJobValues(const Options& options, std::string* error)
{
    for (const auto& [name, value] : options.jobChoices) {
        std::string reason;
        if (name == "copies" && !wholeNumber(value, 1, 9999))
            reason = trf("-n {1}: copies are a whole number from 1 to 9999", {value});
        else if (name == "job-priority" && !wholeNumber(value, 1, 100))
            reason = trf("-q {1}: a priority is a whole number from 1 to 100", {value});
        else if (name == "page-ranges" && !checkPageList(value, &reason))
            reason = "-P " + reason;
        else if (name == "job-hold-until" && !checkHoldTime(value, &reason))
            reason = "-H " + reason;
        else
            continue;
        if (error) *error = reason;
        return false;
    }
    return true;
}

std::optional<CommandLineChoices> CommandLineChoices::check(const Options& options, Dialog& dialog, std::string* error)
{
    CommandLineChoices checked;
    for (const std::string& argument : options.choices) {
        CupsOptions parsed;
        if (parsed.parse(argument) == 0) {
            if (error) *error = trf("-o {1}: not an option", {argument});
            return std::nullopt;
        }
        for (const cups_option_t& given : parsed)
            if (!checkOne(dialog, argument, given.name, given.value, checked.choices_, error)) return std::nullopt;
    }
    for (const auto& [name, value] : options.jobChoices)
        if (!checkOne(dialog, name + "=" + value, name, value, checked.choices_, error)) return std::nullopt;
    return checked;
}

bool CommandLineChoices::checkOne(Dialog& dialog, const std::string& argument, const std::string& name,
    const std::string& value, std::vector<Choice>& checked, std::string* error)
{
    auto fail = [error](std::string reason) {
        if (error) *error = std::move(reason);
        return false;
    };
    ppd_file_t* ppd = dialog.ppd();
    ppd_option_t* option = ppd ? ppdFindOption(ppd, name.c_str()) : nullptr;
    if (option && !controlOf(option->keyword).empty()) {
        ppd_choice_t* choice = ppdFindChoice(option, value.c_str());
        if (!choice)
            return fail(trf("-o {1}: {2} has no choice {3}; its choices are {4}",
                {argument, option->keyword, value, validChoices(*option)}));
        checked.push_back({option->keyword, choice->choice, true});
        return true;
    }
    std::string reason;
    if (dialog.panes().find(name)) {
        if (!dialog.panes().valid(name, value, &reason)) return fail("-o " + argument + ": " + reason);
        checked.push_back({name, value, false});
        return true;
    }
    return fail(trf("-o {1}: the printer has no such option; its options are {2}", {argument, validOptions(dialog)}));
}

bool CommandLineChoices::apply(Dialog& dialog, std::string* error) const
{
    ui::Nib* nib = dialog.nib();
    for (const Choice& c : choices_) {
        if (!c.inPanel) {
            if (!dialog.startPaneOption(c.option, c.choice, error)) return false;
            continue;
        }
        ui::Object* control = nib ? nib->object(std::string(controlOf(c.option))) : nullptr;
        auto* view = dynamic_cast<ui::View*>(control);
        if (!view || !view->isEnabled() || !choose(control, c.choice)) {
            if (error) *error = trf("-o {1}={2}: the panel does not let {1} change now", {c.option, c.choice});
            return false;
        }
    }
    return true;
}

} // namespace host
