// SPDX-License-Identifier: Apache-2.0
// The panel: answers the print dialog's panel protocol for "Color Options", loads its interface
// description on first need and forwards every request to the view switching controller.
#pragma once

#include "binding/CompoundTable.h"
#include "binding/ControlTable.h"
#include "pde/Protocol.h"
#include "ui/Nib.h"

#include <memory>

namespace tlco {

class AdvancedColorOptions;
class ColorOptions;
class PainChangeController;
class ProfileControl;

inline constexpr const char* kPanelKind = "jp.tessaluma.pde.zq4410.tlco";
inline constexpr const char* kInterfaceDescription = "PDEMain.json";

class PDEPlugInInterface : public pde::Panel {
    UI_DECLARE_CLASS()

public:
    ~PDEPlugInInterface() override;

    PDEPlugInInterface* initWithCallback(std::shared_ptr<pde::Callback> callback);

    ui::View* panelView() override;
    std::string panelName() override;
    std::string panelKind() override;
    cf::ArrayRef supportedPPDOptionKeys() override;
    void willShow() override;
    bool shouldHide() override;
    bool saveValuesAndReturnError(cf::Ref* error) override;
    bool restoreValuesAndReturnError(cf::Ref* error) override;
    cf::DictionaryRef summaryInfo() override;
    void PPDOptionKeyValueDidChange(const std::string& option, const std::string& choice) override;
    bool shouldPrint() override;
    void terminate() override;

    void constraints(ui::Object* sender);
    void selectItem(ui::Object* sender);
    void myLoad();

    const PDEControlRecord* compoundTable() const { return compTable.get(); }
    bool holdsCallback() const { return pdePluginCallbackObject != nullptr; }

private:
    std::shared_ptr<pde::Callback> pdePluginCallbackObject;
    PMPrintSettings setting = nullptr;
    PMPrintSession session = nullptr;
    ppd_file_t* ppd = nullptr;
    ui::View* pdeMainView = nullptr;
    ColorOptions* onColorView = nullptr;
    AdvancedColorOptions* onAdvancedView = nullptr;
    PainChangeController* painChange = nullptr;
    ProfileControl* profileControl = nullptr;
    CompoundTable compTable;
    std::unique_ptr<ui::Nib> nib_;
};

} // namespace tlco
