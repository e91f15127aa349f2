// SPDX-License-Identifier: Apache-2.0
// Panel harness.
#include "support/PanelHarness.h"

#include "base/Localize.h"
#include "plugin/Classes.h"
#include "plugin/PDEPlugIn.h"
#include "support/HomeSandbox.h"
#include "support/TestPaths.h"

#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace testpanel {
namespace {

class Forwarder final : public pde::Callback {
public:
    explicit Forwarder(Harness& harness) : harness_(harness) { }
    PMPrintSettings printSettings() override { return harness_.printSettings(); }
    PMPrintSession printSession() override { return harness_.printSession(); }
    ppd_file_t* ppdFile() override { return harness_.ppdFile(); }

private:
    Harness& harness_;
};

} // namespace

std::shared_ptr<pde::Callback> forwardingCallback(Harness& harness)
{
    return std::make_shared<Forwarder>(harness);
}

Harness::Harness(Options options)
{
    homesandbox::home();
    tlco::registerClasses();
    tlco::pluginBundle = std::make_shared<cf::Bundle>(
        options.bundleDir.empty() ? testpaths::bundleDir() : options.bundleDir, "jp.tessaluma.pde.zq4410.tlco");
    ppd = ppdOpenFile(testpaths::ppd(options.ppd).c_str());
    if (ppd) ppdMarkDefaults(ppd);
    if (options.printer) session.setCurrentPrinter(std::make_shared<pm::Printer>(options.printerId, options.deviceURI));
    tlco::PDEPlugIn factory;
    auto panels = factory.PDEPanelsForType(pde::kPrintDialogType, forwardingCallback(*this));
    if (panels && !panels->empty()) panelObject = panels->front();
}

Harness::~Harness()
{
    panelObject.reset();
    if (ppd) ppdClose(ppd);
    tlco::pluginBundle.reset();
}

} // namespace testpanel
