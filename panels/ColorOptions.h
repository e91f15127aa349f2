// SPDX-License-Identifier: Apache-2.0
// The main view: Quick Color, Brightness, Color as Grayscale, Color Separation, EconoMode, edge type,
// their labels and the button to the advanced view.
#pragma once

#include "panels/OptionsView.h"
#include "ui/Button.h"
#include "ui/Label.h"
#include "ui/PopUpButton.h"

namespace tlco {

class ColorOptions : public OptionsView {
    UI_DECLARE_CLASS()

public:
    void createPPDKeyNSArray(cf::Array* array) const { appendEveryPPDKey(array); }
    // Index of the selected Quick Color item, -1 for none.
    int getQuickColorValue() const;
    // State of the EconoMode check box.
    int getEconoModeValue() const;

protected:
    std::vector<PDEControlRecord> controlTemplate() const override;

private:
    ui::PopUpButton* menu_QuickColor = nullptr;
    ui::PopUpButton* menu_Brightness = nullptr;
    ui::CheckBox* check_ColorAsGrayscale = nullptr;
    ui::CheckBox* check_ColorSeparation = nullptr;
    ui::CheckBox* check_EconomyPrint = nullptr;
    ui::PopUpButton* menu_EdgeStrength = nullptr;
    ui::Label* text_QuickColor = nullptr;
    ui::Label* text_Brightness = nullptr;
    ui::Label* text_Strength = nullptr;
    ui::Button* button_AdvanceColorOptions = nullptr;
};

} // namespace tlco
