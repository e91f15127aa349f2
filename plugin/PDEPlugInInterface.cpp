// SPDX-License-Identifier: Apache-2.0
// The panel protocol: lazy load, restore, save, summary, printing and the constraint actions.
#include "plugin/PDEPlugInInterface.h"

#include "base/Localize.h"
#include "binding/PDECommon.h"
#include "panels/ColorConstraints.h"
#include "panels/PainChangeController.h"
#include "plugin/Classes.h"
#include "profiles/ProfileControl.h"

namespace tlco {

namespace {
constexpr int16_t kTableSlots = 5;
}

const ui::ClassInfo& PDEPlugInInterface::staticClassInfo()
{
    using P = PDEPlugInInterface;
    static const ui::ClassInfo info = ui::ClassBuilder<P>(registeredName("PDEPlugInInterface"), nullptr)
                                          .outlet("pdeMainView", &P::pdeMainView)
                                          .outlet("onColorView", &P::onColorView)
                                          .outlet("onAdvancedView", &P::onAdvancedView)
                                          .outlet("painChange", &P::painChange)
                                          .outlet("profileControl", &P::profileControl)
                                          .action("constraints", &P::constraints)
                                          .action("selectItem", &P::selectItem)
                                          .build();
    return info;
}

PDEPlugInInterface* PDEPlugInInterface::initWithCallback(std::shared_ptr<pde::Callback> callback)
{
    pdePluginCallbackObject = std::move(callback);
    if (pdePluginCallbackObject) {
        setting = pdePluginCallbackObject->printSettings();
        session = pdePluginCallbackObject->printSession();
    }
    return this;
}

PDEPlugInInterface::~PDEPlugInInterface()
{
    // The views' tables go first; the compound table only borrowed from them. Outlets into a graph
    // the panel did not load itself are not the panel's to touch.
    if (nib_ && painChange) painChange->deallocPDEControlTableEachView();
    compTable.reset();
    nib_.reset();
}

void PDEPlugInInterface::myLoad()
{
    if (pdeMainView) return;
    if (!pluginBundle) return;
    // The description's own texts in the person's language, as a localized nib holds them.
    cf::BundleRef bundle = pluginBundle;
    auto loaded = ui::Nib::load(pluginBundle->resourcePath(kInterfaceDescription), this, nullptr,
        [bundle](const std::string& text) { return bundle->localizedString(text); });
    if (!loaded) return; // nothing loaded: the next call that loads tries again
    nib_ = std::move(loaded);
    if (!pdeMainView) return;
    ppd = pdePluginCallbackObject ? pdePluginCallbackObject->ppdFile() : nullptr;

    if (painChange) {
        painChange->setPMPrintEachView(setting, session);
        painChange->setPPDFileEachView(ppd);
        painChange->creatPDEControlTableEachView();
        PDEControlRecord* slots[kTableSlots] = {};
        int16_t count = painChange->getControlDataEachView(slots, kTableSlots);
        compTable = PDECommon::commonControlTableCompound(slots, count);
    }
    if (profileControl) {
        profileControl->setPMPrint(setting, session);
        profileControl->setConstraints([table = compTable.get()] {
            if (table) vColorPresetConstraints(table);
        });
    }
    if (painChange) painChange->createPDEItemForPPDKeyEachView();
}

ui::View* PDEPlugInInterface::panelView()
{
    myLoad();
    PDECommon::commonGetProfilesFromMIB(session);
    return pdeMainView;
}

std::string PDEPlugInInterface::panelName()
{
    return localizedString("Color Options").value_or("Color Options");
}

std::string PDEPlugInInterface::panelKind()
{
    return kPanelKind;
}

cf::ArrayRef PDEPlugInInterface::supportedPPDOptionKeys()
{
    myLoad();
    auto keys = cf::Array::create();
    if (painChange) painChange->addPPDArrayEachView(keys.get());
    return keys;
}

void PDEPlugInInterface::willShow()
{
    if (painChange) painChange->ShowAdvancedToColorView();
}

bool PDEPlugInInterface::shouldHide()
{
    return true;
}

bool PDEPlugInInterface::saveValuesAndReturnError(cf::Ref*)
{
    if (onColorView && onAdvancedView && setting && session && painChange)
        painChange->setControlValueToTicketEachView();
    return true;
}

bool PDEPlugInInterface::restoreValuesAndReturnError(cf::Ref*)
{
    myLoad();
    if (onColorView && onAdvancedView && painChange) painChange->defaultFromPPDInfoEachView();
    if (setting && session && painChange) painChange->getControlValueFromTickettEachView();
    if (pdeMainView) vColorPresetConstraints(compTable.get());
    return true;
}

cf::DictionaryRef PDEPlugInInterface::summaryInfo()
{
    myLoad();
    auto order = cf::Array::create();
    auto summary = cf::Dictionary::create();
    if (onColorView && onAdvancedView && painChange) painChange->getSummaryTextEachView(summary.get(), order.get());
    summary->set("Summary Display Order", order);
    return summary;
}

void PDEPlugInInterface::PPDOptionKeyValueDidChange(const std::string&, const std::string&) { }

bool PDEPlugInInterface::shouldPrint()
{
    if (painChange && onAdvancedView) {
        painChange->changeAdvancedItemAccodingQuickColor();
        onAdvancedView->setControlValueToTicket();
    }
    return true;
}

void PDEPlugInInterface::terminate()
{
    pdePluginCallbackObject.reset();
}

void PDEPlugInInterface::constraints(ui::Object*)
{
    vColorPresetConstraints(compTable.get());
}

void PDEPlugInInterface::selectItem(ui::Object*)
{
    if (onColorView) vColorPresetConstraints(onColorView->getControlData());
}

} // namespace tlco
