// SPDX-License-Identifier: Apache-2.0
// The main view's table and its two getters.
#include "panels/ColorOptions.h"

#include "base/ClassName.h"

namespace tlco {

const ui::ClassInfo& ColorOptions::staticClassInfo()
{
    static const ui::ClassInfo info =
        ui::ClassBuilder<ColorOptions>(registeredName("ColorOptions"), &ui::View::staticClassInfo())
            .outlet("menu_QuickColor", &ColorOptions::menu_QuickColor)
            .outlet("menu_Brightness", &ColorOptions::menu_Brightness)
            .outlet("check_ColorAsGrayscale", &ColorOptions::check_ColorAsGrayscale)
            .outlet("check_ColorSeparation", &ColorOptions::check_ColorSeparation)
            .outlet("check_EconomyPrint", &ColorOptions::check_EconomyPrint)
            .outlet("menu_EdgeStrength", &ColorOptions::menu_EdgeStrength)
            .outlet("text_QuickColor", &ColorOptions::text_QuickColor)
            .outlet("text_Brightness", &ColorOptions::text_Brightness)
            .outlet("text_Strength", &ColorOptions::text_Strength)
            .outlet("button_AdvanceColorOptions", &ColorOptions::button_AdvanceColorOptions)
            .build();
    return info;
}

std::vector<PDEControlRecord> ColorOptions::controlTemplate() const
{
    // clang-format off
    return {
        {menu_QuickColor, kControlPopUp, "TLQuickColor", nullptr, "Quick Color", "QuickColorPopup", 0, nullptr},
        {menu_Brightness, kControlPopUp, "TLBrightness", nullptr, "Brightness", "", 0, nullptr},
        {check_ColorAsGrayscale, kControlCheckBox, "TLColorAsGray", "Color as Grayscale", "Color as Grayscale", "ColorAsGrayCheckBox", 0, nullptr},
        {check_ColorSeparation, kControlCheckBox, "TLColorSeparation", "Color Separation", "Color Separation", "ColorSeparationCheckBox", 0, nullptr},
        {check_EconomyPrint, kControlCheckBox, "TLEconoMode", "EconoMode", "EconoMode", "EconoModeCheckBox", 0, nullptr},
        {menu_EdgeStrength, kControlPopUp, "TLEdgeType", nullptr, "EdgeType", "EdgeTypePopup", 0, nullptr},
        {text_QuickColor, kControlLabel, "", "Quick Color:", nullptr, "", 0, nullptr},
        {text_Brightness, kControlLabel, "", "Brightness:", nullptr, "", 0, nullptr},
        {text_Strength, kControlLabel, "", "EdgeType:", nullptr, "", 0, nullptr},
        {button_AdvanceColorOptions, kControlButton, "", "Advanced Color Options", nullptr, "GoToAdvancedOptionsButton", 0, nullptr},
        kEndRecord,
    };
    // clang-format on
}

int ColorOptions::getQuickColorValue() const
{
    return menu_QuickColor ? menu_QuickColor->indexOfSelectedItem() : -1;
}

int ColorOptions::getEconoModeValue() const
{
    return check_EconomyPrint ? check_EconomyPrint->state() : 0;
}

} // namespace tlco
