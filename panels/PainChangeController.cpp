// SPDX-License-Identifier: Apache-2.0
// Fan-out to both views in fixed orders, and the swap of the shown view.
#include "panels/PainChangeController.h"

#include "base/ClassName.h"
#include "panels/QuickColorPreset.h"

namespace tlco {

const ui::ClassInfo& PainChangeController::staticClassInfo()
{
    using C = PainChangeController;
    static const ui::ClassInfo info = ui::ClassBuilder<C>(registeredName("PainChangeController"), nullptr)
                                          .outlet("onColorView", &C::onColorView)
                                          .outlet("onAdvancedView", &C::onAdvancedView)
                                          .outlet("onMainCustomView", &C::onMainCustomView)
                                          .action("ColorToAdvancedView", &C::ColorToAdvancedView)
                                          .action("AdvancedToColorView", &C::AdvancedToColorView)
                                          .build();
    return info;
}

namespace {

// Calls f on the advanced view, then the main view (the order of most fan-outs).
template <class F>
void advancedThenMain(AdvancedColorOptions* advanced, ColorOptions* main, F f)
{
    if (advanced) f(*advanced);
    if (main) f(*main);
}

} // namespace

void PainChangeController::creatPDEControlTableEachView()
{
    advancedThenMain(onAdvancedView, onColorView, [](OptionsView& v) { v.createPDEControlTable(); });
}

void PainChangeController::deallocPDEControlTableEachView()
{
    advancedThenMain(onAdvancedView, onColorView, [](OptionsView& v) { v.deallocPDEControlTable(); });
}

void PainChangeController::setPPDFileEachView(ppd_file_t* ppd)
{
    advancedThenMain(onAdvancedView, onColorView, [ppd](OptionsView& v) { v.setPPDFile(ppd); });
}

void PainChangeController::setPMPrintEachView(PMPrintSettings ticket, PMPrintSession session)
{
    advancedThenMain(onAdvancedView, onColorView, [=](OptionsView& v) { v.setPMPrint(ticket, session); });
}

void PainChangeController::addPPDArrayEachView(cf::Array* array)
{
    advancedThenMain(onAdvancedView, onColorView, [array](OptionsView& v) { v.addPPDArray(array); });
}

void PainChangeController::createPDEItemForPPDKeyEachView()
{
    advancedThenMain(onAdvancedView, onColorView, [](OptionsView& v) { v.createPDEItemForPPDKey(); });
}

void PainChangeController::defaultFromPPDInfoEachView()
{
    // The one fan-out that starts with the main view.
    if (onColorView) onColorView->defaultFromPPDInfo();
    if (onAdvancedView) onAdvancedView->defaultFromPPDInfo();
}

void PainChangeController::getControlValueFromTickettEachView()
{
    advancedThenMain(onAdvancedView, onColorView, [](OptionsView& v) { v.getControlValueFromTicket(); });
}

void PainChangeController::setControlValueToTicketEachView()
{
    advancedThenMain(onAdvancedView, onColorView, [](OptionsView& v) { v.setControlValueToTicket(); });
}

int32_t PainChangeController::getControlCountEachView()
{
    int32_t sum = 0;
    advancedThenMain(onAdvancedView, onColorView, [&sum](OptionsView& v) { sum += v.getControlCount(); });
    return sum;
}

int16_t PainChangeController::getControlDataEachView(PDEControlRecord** slots, int16_t count)
{
    if (!slots || count < 2) return 0;
    for (int16_t i = 0; i < count; ++i) slots[i] = nullptr;
    slots[0] = onColorView ? onColorView->getControlData() : nullptr;
    slots[1] = onAdvancedView ? onAdvancedView->getControlData() : nullptr;
    return 2;
}

void PainChangeController::changeAdvancedItemAccodingQuickColor()
{
    if (!onColorView || !onAdvancedView) return;
    auto quickColor = static_cast<int16_t>(onColorView->getQuickColorValue());
    auto econoMode = static_cast<int16_t>(onColorView->getEconoModeValue());
    onAdvancedView->changeItemAccodingQuickColor(quickColor, econoMode);
}

void PainChangeController::getSummaryAdvancedItemAccodingQuickColor(cf::Dictionary* dictionary, cf::Array* order)
{
    if (!onColorView || !onAdvancedView) return;
    auto quickColor = static_cast<int16_t>(onColorView->getQuickColorValue());
    auto econoMode = static_cast<int16_t>(onColorView->getEconoModeValue());
    onAdvancedView->getSummaryItemAccodingQuickColor(quickColor, econoMode, dictionary, order);
}

void PainChangeController::getSummaryTextEachView(cf::Dictionary* dictionary, cf::Array* order)
{
    if (!onColorView || !onAdvancedView) return;
    onColorView->getSummaryText(dictionary, order);
    if (onColorView->getQuickColorValue() == kQuickColorCustom)
        onAdvancedView->getSummaryText(dictionary, order);
    else
        getSummaryAdvancedItemAccodingQuickColor(dictionary, order);
}

void PainChangeController::ColorToAdvancedView(ui::Object*)
{
    if (onAdvancedView && onAdvancedView->getControlData()) SHowColorToAdvancedView();
}

void PainChangeController::AdvancedToColorView(ui::Object*)
{
    if (onColorView && onColorView->getControlData()) ShowAdvancedToColorView();
}

void PainChangeController::SHowColorToAdvancedView()
{
    show(onAdvancedView, onColorView);
}

void PainChangeController::ShowAdvancedToColorView()
{
    show(onColorView, onAdvancedView);
}

void PainChangeController::show(OptionsView* shown, OptionsView* hidden)
{
    if (!onMainCustomView || !shown) return;
    shown->setViewBounds(onMainCustomView->bounds());
    onMainCustomView->addSubview(shown);
    if (hidden) onMainCustomView->replaceSubview(hidden, shown);
}

} // namespace tlco
