// SPDX-License-Identifier: Apache-2.0
// The advanced view's table, its profile entries, the presets and the download manager.
#include "panels/AdvancedColorOptions.h"

#include "base/ClassName.h"
#include "binding/PDECommon.h"
#include "panels/QuickColorPreset.h"
#include "services/Launcher.h"

#include <cstring>

namespace tlco {

const ui::ClassInfo& AdvancedColorOptions::staticClassInfo()
{
    using A = AdvancedColorOptions;
    static const ui::ClassInfo info =
        ui::ClassBuilder<A>(registeredName("AdvancedColorOptions"), &ui::View::staticClassInfo())
            .outlet("menu_iRGBSource", &A::menu_iRGBSource)
            .outlet("menu_iRGBIntent", &A::menu_iRGBIntent)
            .outlet("menu_iRGBGrayTreatment", &A::menu_iRGBGrayTreatment)
            .outlet("menu_iDestinationProfile", &A::menu_iDestinationProfile)
            .outlet("menu_iHalftone", &A::menu_iHalftone)
            .outlet("menu_iEdgeEnhancement", &A::menu_iEdgeEnhancement)
            .outlet("menu_tRGBSource", &A::menu_tRGBSource)
            .outlet("menu_tRGBIntent", &A::menu_tRGBIntent)
            .outlet("menu_tRGBGrayTreatment", &A::menu_tRGBGrayTreatment)
            .outlet("menu_tDestinationProfile", &A::menu_tDestinationProfile)
            .outlet("menu_tHalftone", &A::menu_tHalftone)
            .outlet("menu_tEdgeEnhancement", &A::menu_tEdgeEnhancement)
            .outlet("menu_gRGBSource", &A::menu_gRGBSource)
            .outlet("menu_gRGBIntent", &A::menu_gRGBIntent)
            .outlet("menu_gRGBGrayTreatment", &A::menu_gRGBGrayTreatment)
            .outlet("menu_gDestinationProfile", &A::menu_gDestinationProfile)
            .outlet("menu_gHalftone", &A::menu_gHalftone)
            .outlet("menu_gEdgeEnhancement", &A::menu_gEdgeEnhancement)
            .outlet("menu_sSimulationProfile", &A::menu_sSimulationProfile)
            .outlet("menu_sMatchPaperColor", &A::menu_sMatchPaperColor)
            .outlet("menu_sCMYKGrayTreatment", &A::menu_sCMYKGrayTreatment)
            .outlet("tab_SwitchVew", &A::tab_SwitchVew)
            .outlet("text_iRGBSource", &A::text_iRGBSource)
            .outlet("text_iRGBIntent", &A::text_iRGBIntent)
            .outlet("text_iRGBGrayTreatment", &A::text_iRGBGrayTreatment)
            .outlet("text_iDestinationProfile", &A::text_iDestinationProfile)
            .outlet("text_iHalftone", &A::text_iHalftone)
            .outlet("text_iEdgeEnhancement", &A::text_iEdgeEnhancement)
            .outlet("text_tRGBSource", &A::text_tRGBSource)
            .outlet("text_tRGBIntent", &A::text_tRGBIntent)
            .outlet("text_tRGBGrayTreatment", &A::text_tRGBGrayTreatment)
            .outlet("text_tDestinationProfile", &A::text_tDestinationProfile)
            .outlet("text_tHalftone", &A::text_tHalftone)
            .outlet("text_tEdgeEnhancement", &A::text_tEdgeEnhancement)
            .outlet("text_gRGBSource", &A::text_gRGBSource)
            .outlet("text_gRGBIntent", &A::text_gRGBIntent)
            .outlet("text_gRGBGrayTreatment", &A::text_gRGBGrayTreatment)
            .outlet("text_gDestinationProfile", &A::text_gDestinationProfile)
            .outlet("text_gHalftone", &A::text_gHalftone)
            .outlet("text_gEdgeEnhancement", &A::text_gEdgeEnhancement)
            .outlet("text_sSimulationProfile", &A::text_sSimulationProfile)
            .outlet("text_sMatchPaperColor", &A::text_sMatchPaperColor)
            .outlet("text_sCMYKGrayTreatment", &A::text_sCMYKGrayTreatment)
            .outlet("button_ManageProfile", &A::button_ManageProfile)
            .outlet("button_DownloadManager", &A::button_DownloadManager)
            .outlet("button_HideAdvancedOptions", &A::button_HideAdvancedOptions)
            .action("downloadManagerButton", &A::downloadManagerButton)
            .build();
    return info;
}

std::vector<PDEControlRecord> AdvancedColorOptions::controlTemplate() const
{
    // clang-format off
    std::vector<PDEControlRecord> records = {
        {menu_iRGBSource, kControlPopUp, "TLImageRGBSource", "RGB Source:", "Image RGB Source", "ImageRGBSourcePopup", kProfileKindRGB, nullptr},
        {menu_iRGBIntent, kControlPopUp, "TLImageRenderIntent", "RGB Intent:", "Image RGB Intent", "ImageRenderIntentPopup", 0, nullptr},
        {menu_iRGBGrayTreatment, kControlPopUp, "TLImageGrayTreatment", "RGB Gray Treatment:", "Image RGB Gray Treatment", "ImageGrayTreatmentPopup", 0, nullptr},
        {menu_iDestinationProfile, kControlPopUp, "TLImageDestinationProfile", "Destination Profile:", "Image Destination Profile", "ImageDestinationProfilePopup", kProfileKindDestination, nullptr},
        {menu_iHalftone, kControlPopUp, "TLImageHalftone", "Halftone:", "Image Halftone", "", 0, nullptr},
        {menu_iEdgeEnhancement, kControlPopUp, "TLImageEdgeEnhance", "EdgeEnhance:", "Image EdgeEnhance", "ImageEdgeEnhancePopup", 0, nullptr},
        {menu_tRGBSource, kControlPopUp, "TLTextRGBSource", "RGB Source:", "Text RGB Source", "TextRGBSourcePopup", kProfileKindRGB, nullptr},
        {menu_tRGBIntent, kControlPopUp, "TLTextRenderIntent", "RGB Intent:", "Text RGB Intent", "TextRenderIntentPopup", 0, nullptr},
        {menu_tRGBGrayTreatment, kControlPopUp, "TLTextGrayTreatment", "RGB Gray Treatment:", "Text RGB Gray Treatment", "TextGrayTreatmentPopup", 0, nullptr},
        {menu_tDestinationProfile, kControlPopUp, "TLTextDestinationProfile", "Destination Profile:", "Text Destination Profile", "TextDestinationProfilePopup", kProfileKindDestination, nullptr},
        {menu_tHalftone, kControlPopUp, "TLTextHalftone", "Halftone:", "Text Halftone", "", 0, nullptr},
        {menu_tEdgeEnhancement, kControlPopUp, "TLTextEdgeEnhance", "EdgeEnhance:", "Text EdgeEnhance", "TextEdgeEnhancePopup", 0, nullptr},
        {menu_gRGBSource, kControlPopUp, "TLGraphicsRGBSource", "RGB Source:", "Graphics RGB Source", "GraphicsRGBSourcePopup", kProfileKindRGB, nullptr},
        {menu_gRGBIntent, kControlPopUp, "TLGraphicsRenderIntent", "RGB Intent:", "Graphics RGB Intent", "GraphicsRenderIntentPopup", 0, nullptr},
        {menu_gRGBGrayTreatment, kControlPopUp, "TLGraphicsGrayTreatment", "RGB Gray Treatment:", "Graphics RGB Gray Treatment", "GraphicsGrayTreatmentPopup", 0, nullptr},
        {menu_gDestinationProfile, kControlPopUp, "TLGraphicsDestinationProfile", "Destination Profile:", "Graphics Destination Profile", "GraphicsDestinationProfilePopup", kProfileKindDestination, nullptr},
        {menu_gHalftone, kControlPopUp, "TLGraphicsHalftone", "Halftone:", "Graphics Halftone", "", 0, nullptr},
        {menu_gEdgeEnhancement, kControlPopUp, "TLGraphicsEdgeEnhance", "EdgeEnhance:", "Graphics EdgeEnhance", "GraphicsEdgeEnhancePopup", 0, nullptr},
        {menu_sSimulationProfile, kControlPopUp, "TLSimSource", "Simulation Profile:", "Simulation Profile", "SimulationSourcePopup", kProfileKindSimulation, nullptr},
        {menu_sMatchPaperColor, kControlPopUp, "TLSimRenderIntent", "Match Paper Color:", "Match Paper Color", "SimulationRenderIntentPopup", 0, nullptr},
        {menu_sCMYKGrayTreatment, kControlPopUp, "TLSimGrayTreatment", "CMYK Gray Treatment:", "CMYK Gray Treatment", "SimulationGrayTreatmentPopup", 0, nullptr},
        {tab_SwitchVew, kControlTabView, "", "Image", nullptr, "", 0, nullptr},
    };
    const ui::Label* labels[] = {
        text_iRGBSource, text_iRGBIntent, text_iRGBGrayTreatment, text_iDestinationProfile, text_iHalftone, text_iEdgeEnhancement,
        text_tRGBSource, text_tRGBIntent, text_tRGBGrayTreatment, text_tDestinationProfile, text_tHalftone, text_tEdgeEnhancement,
        text_gRGBSource, text_gRGBIntent, text_gRGBGrayTreatment, text_gDestinationProfile, text_gHalftone, text_gEdgeEnhancement,
        text_sSimulationProfile, text_sMatchPaperColor, text_sCMYKGrayTreatment,
    };
    // clang-format on
    for (int i = 0; i < kAdvancedPopUpCount; ++i)
        records.push_back({const_cast<ui::Label*>(labels[i]), kControlLabel, "",
            records[static_cast<size_t>(i)].titleKey, nullptr, "", 0, nullptr});
    records.push_back({button_ManageProfile, kControlButton, "", "Management Profile", nullptr, "", 0, nullptr});
    records.push_back({button_DownloadManager, kControlButton, "", "Download Manager", nullptr, "", 0, nullptr});
    records.push_back(
        {button_HideAdvancedOptions, kControlButton, "", "Hide Advanced Options", nullptr, "", 0, nullptr});
    records.push_back(kEndRecord);
    return records;
}

std::vector<ui::PopUpButton*> AdvancedColorOptions::popUps() const
{
    return {menu_iRGBSource, menu_iRGBIntent, menu_iRGBGrayTreatment, menu_iDestinationProfile, menu_iHalftone,
        menu_iEdgeEnhancement, menu_tRGBSource, menu_tRGBIntent, menu_tRGBGrayTreatment, menu_tDestinationProfile,
        menu_tHalftone, menu_tEdgeEnhancement, menu_gRGBSource, menu_gRGBIntent, menu_gRGBGrayTreatment,
        menu_gDestinationProfile, menu_gHalftone, menu_gEdgeEnhancement, menu_sSimulationProfile, menu_sMatchPaperColor,
        menu_sCMYKGrayTreatment};
}

void AdvancedColorOptions::createPDEControlTable()
{
    OptionsView::createPDEControlTable();
    if (tab_SwitchVew) tab_SwitchVew->selectTabViewItemAtIndex(0);
}

void AdvancedColorOptions::createPDEItemForPPDKey()
{
    if (!ctrlTable) return;
    PDECommon::commonBuildPDEItem(ctrlTable->data(), ppd);
    PDECommon::commonAddMenuFromProfilePlist(ctrlTable->data());
}

void AdvancedColorOptions::downloadManagerButton(ui::Object*)
{
    char path[128] = {};
    std::strncpy(path, kDownloadManagerPath, sizeof path - 1);
    svc::FSRef ref;
    if (svc::FSPathMakeRef(path, &ref, nullptr) == 0) svc::LSOpenFSRef(ref, nullptr);
}

void AdvancedColorOptions::changeItemAccodingQuickColor(int16_t quickColor, int16_t econoMode)
{
    if (quickColor < 0 || quickColor > 2) return;
    auto menus = popUps();
    for (int i = 0; i < kAdvancedPopUpCount; ++i) {
        ui::PopUpButton* menu = menus[static_cast<size_t>(i)];
        int item = quickColorPresetItem(quickColor, econoMode, i);
        // A pop-up too short for the preset keeps its selection.
        if (menu && item < menu->numberOfItems()) menu->selectItemAtIndex(item);
    }
}

void AdvancedColorOptions::getSummaryItemAccodingQuickColor(
    int16_t quickColor, int16_t econoMode, cf::Dictionary* dictionary, cf::Array* order)
{
    if (quickColor < 0 || quickColor > 2 || !ctrlTable) return;
    auto menus = popUps();
    const PDEControlRecord* records = ctrlTable->data();
    for (int i = 0; i < kAdvancedPopUpCount; ++i) {
        ui::PopUpButton* menu = menus[static_cast<size_t>(i)];
        int item = quickColorPresetItem(quickColor, econoMode, i);
        // No item at the preset's index: no title, so the line is left out.
        if (!menu || item >= menu->numberOfItems()) continue;
        PDECommon::commonGetSummaryTextQuickColor(
            records[i].summaryKey, cf::String::create(menu->itemTitleAtIndex(item)), dictionary, order);
    }
}

} // namespace tlco
