// SPDX-License-Identifier: Apache-2.0
// Factory: one panel for the print-dialog type, none for any other.
#include "plugin/PDEPlugIn.h"

#include "base/Localize.h"
#include "plugin/Classes.h"
#include "plugin/PDEPlugInInterface.h"

namespace tlco {

const ui::ClassInfo& PDEPlugIn::staticClassInfo()
{
    static const ui::ClassInfo info = ui::ClassBuilder<PDEPlugIn>(registeredName("PDEPlugIn"), nullptr).build();
    return info;
}

bool PDEPlugIn::initWithBundle(const cf::BundleRef& bundle)
{
    if (!pluginBundle) pluginBundle = bundle;
    return true;
}

std::optional<pde::PanelList> PDEPlugIn::PDEPanelsForType(
    std::string_view type, std::shared_ptr<pde::Callback> callback)
{
    if (type != pde::kPrintDialogType) return std::nullopt;
    auto panel = std::make_shared<PDEPlugInInterface>();
    panel->initWithCallback(std::move(callback));
    return pde::PanelList{std::move(panel)};
}

} // namespace tlco
