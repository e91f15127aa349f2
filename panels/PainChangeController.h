// SPDX-License-Identifier: Apache-2.0
// The view switching controller: swaps the main and advanced views in the container, and is the
// one object through which the panel addresses both views, in fixed orders.
#pragma once

#include "panels/AdvancedColorOptions.h"
#include "panels/ColorOptions.h"
#include "ui/Object.h"

namespace tlco {

class PainChangeController : public ui::Object {
    UI_DECLARE_CLASS()

public:
    void creatPDEControlTableEachView();
    void deallocPDEControlTableEachView();
    void setPPDFileEachView(ppd_file_t* ppd);
    void setPMPrintEachView(PMPrintSettings ticket, PMPrintSession session);
    void addPPDArrayEachView(cf::Array* array);
    void createPDEItemForPPDKeyEachView();
    void defaultFromPPDInfoEachView();
    void getControlValueFromTickettEachView();
    void setControlValueToTicketEachView();
    int32_t getControlCountEachView();
    int16_t getControlDataEachView(PDEControlRecord** slots, int16_t count);

    void changeAdvancedItemAccodingQuickColor();
    void getSummaryAdvancedItemAccodingQuickColor(cf::Dictionary* dictionary, cf::Array* order);
    void getSummaryTextEachView(cf::Dictionary* dictionary, cf::Array* order);

    void ColorToAdvancedView(ui::Object* sender);
    void AdvancedToColorView(ui::Object* sender);
    void SHowColorToAdvancedView();
    void ShowAdvancedToColorView();

    ColorOptions* colorView() const { return onColorView; }
    AdvancedColorOptions* advancedView() const { return onAdvancedView; }
    ui::View* container() const { return onMainCustomView; }

private:
    void show(OptionsView* shown, OptionsView* hidden);

    ColorOptions* onColorView = nullptr;
    AdvancedColorOptions* onAdvancedView = nullptr;
    ui::View* onMainCustomView = nullptr;
};

} // namespace tlco
