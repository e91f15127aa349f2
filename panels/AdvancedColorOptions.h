// SPDX-License-Identifier: Apache-2.0
// The advanced view: per-object colour settings on four tab pages (Image, Text, Graphics,
// Simulation), the profile pop-ups, and the Manage Profile, Download Manager and Hide buttons.
#pragma once

#include "panels/OptionsView.h"
#include "profiles/ProfileWindowOwner.h"
#include "ui/Button.h"
#include "ui/Label.h"
#include "ui/PopUpButton.h"
#include "ui/TabView.h"

namespace tlco {

inline constexpr const char* kDownloadManagerPath =
    "/Applications/Download Manager zq4410/TESSALUMA Download Manager.app";

class AdvancedColorOptions : public OptionsView, public ProfileWindowOwner {
    UI_DECLARE_CLASS()

public:
    void createPDEControlTable() override;
    void createPDEItemForPPDKey() override;
    void createPPDKeyNSArrayAdvance(cf::Array* array) const { appendEveryPPDKey(array); }
    void downloadManagerButton(ui::Object* sender);
    void changeItemAccodingQuickColor(int16_t quickColor, int16_t econoMode);
    void getSummaryItemAccodingQuickColor(
        int16_t quickColor, int16_t econoMode, cf::Dictionary* dictionary, cf::Array* order);

    void saveControlsToTicket() override { setControlValueToTicket(); }
    void rebuildProfileMenus() override { createPDEItemForPPDKey(); }
    void rereadTicket() override { getControlValueFromTicket(); }

    // The 21 pop-ups in table order.
    std::vector<ui::PopUpButton*> popUps() const;

protected:
    std::vector<PDEControlRecord> controlTemplate() const override;

private:
    ui::PopUpButton* menu_iRGBSource = nullptr;
    ui::PopUpButton* menu_iRGBIntent = nullptr;
    ui::PopUpButton* menu_iRGBGrayTreatment = nullptr;
    ui::PopUpButton* menu_iDestinationProfile = nullptr;
    ui::PopUpButton* menu_iHalftone = nullptr;
    ui::PopUpButton* menu_iEdgeEnhancement = nullptr;
    ui::PopUpButton* menu_tRGBSource = nullptr;
    ui::PopUpButton* menu_tRGBIntent = nullptr;
    ui::PopUpButton* menu_tRGBGrayTreatment = nullptr;
    ui::PopUpButton* menu_tDestinationProfile = nullptr;
    ui::PopUpButton* menu_tHalftone = nullptr;
    ui::PopUpButton* menu_tEdgeEnhancement = nullptr;
    ui::PopUpButton* menu_gRGBSource = nullptr;
    ui::PopUpButton* menu_gRGBIntent = nullptr;
    ui::PopUpButton* menu_gRGBGrayTreatment = nullptr;
    ui::PopUpButton* menu_gDestinationProfile = nullptr;
    ui::PopUpButton* menu_gHalftone = nullptr;
    ui::PopUpButton* menu_gEdgeEnhancement = nullptr;
    ui::PopUpButton* menu_sSimulationProfile = nullptr;
    ui::PopUpButton* menu_sMatchPaperColor = nullptr;
    ui::PopUpButton* menu_sCMYKGrayTreatment = nullptr;
    ui::TabView* tab_SwitchVew = nullptr;
    ui::Label* text_iRGBSource = nullptr;
    ui::Label* text_iRGBIntent = nullptr;
    ui::Label* text_iRGBGrayTreatment = nullptr;
    ui::Label* text_iDestinationProfile = nullptr;
    ui::Label* text_iHalftone = nullptr;
    ui::Label* text_iEdgeEnhancement = nullptr;
    ui::Label* text_tRGBSource = nullptr;
    ui::Label* text_tRGBIntent = nullptr;
    ui::Label* text_tRGBGrayTreatment = nullptr;
    ui::Label* text_tDestinationProfile = nullptr;
    ui::Label* text_tHalftone = nullptr;
    ui::Label* text_tEdgeEnhancement = nullptr;
    ui::Label* text_gRGBSource = nullptr;
    ui::Label* text_gRGBIntent = nullptr;
    ui::Label* text_gRGBGrayTreatment = nullptr;
    ui::Label* text_gDestinationProfile = nullptr;
    ui::Label* text_gHalftone = nullptr;
    ui::Label* text_gEdgeEnhancement = nullptr;
    ui::Label* text_sSimulationProfile = nullptr;
    ui::Label* text_sMatchPaperColor = nullptr;
    ui::Label* text_sCMYKGrayTreatment = nullptr;
    ui::Button* button_ManageProfile = nullptr;
    ui::Button* button_DownloadManager = nullptr;
    ui::Button* button_HideAdvancedOptions = nullptr;
};

} // namespace tlco
