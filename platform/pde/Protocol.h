// SPDX-License-Identifier: Apache-2.0
// The print dialog extension protocol: the dialog's callback object, the panel and the factory.
#pragma once

#include "Export.h"
#include "cf/Array.h"
#include "cf/Bundle.h"
#include "cf/Dictionary.h"
#include "print/PMCalls.h"
#include "ui/Object.h"
#include "ui/View.h"

#include <cups/ppd.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pde {

// The type identifier of print-dialog panels.
inline constexpr std::string_view kPrintDialogType = "BDB091F4-E57F-11D3-B5CC-0050E4603277";

// What the dialog gives a panel: the job's ticket, the print session and the selected printer's PPD.
class TL_EXPORT Callback {
public:
    virtual ~Callback();
    virtual PMPrintSettings printSettings() = 0;
    virtual PMPrintSession printSession() = 0;
    virtual ppd_file_t* ppdFile() = 0;
};

class TL_EXPORT Panel : public ui::Object {
public:
    virtual ui::View* panelView() = 0;
    virtual std::string panelName() = 0;
    virtual std::string panelKind() = 0;
    virtual cf::ArrayRef supportedPPDOptionKeys() = 0;
    virtual void willShow() = 0;
    virtual bool shouldHide() = 0;
    virtual bool saveValuesAndReturnError(cf::Ref* error) = 0;
    virtual bool restoreValuesAndReturnError(cf::Ref* error) = 0;
    virtual cf::DictionaryRef summaryInfo() = 0;
    virtual void PPDOptionKeyValueDidChange(const std::string& option, const std::string& choice) = 0;
    virtual bool shouldPrint() = 0;
    virtual void terminate() = 0;
};

using PanelList = std::vector<std::shared_ptr<Panel>>;

// The bundle's principal class: made once by the dialog, asked for panels.
class TL_EXPORT PlugIn : public ui::Object {
public:
    virtual bool initWithBundle(const cf::BundleRef& bundle) = 0;
    // The panels of that type, or nothing (not an empty list) for a type the bundle does not serve.
    virtual std::optional<PanelList> PDEPanelsForType(std::string_view type, std::shared_ptr<Callback> callback) = 0;
};

// The one symbol a bundle's module exports: it returns the principal class.
using PrincipalClassFunction = const ui::ClassInfo* (*)();
inline constexpr const char* kPrincipalClassSymbol = "PDEPrincipalClass";

} // namespace pde
