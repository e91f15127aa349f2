// SPDX-License-Identifier: Apache-2.0
// The factory the print dialog creates once and asks for panels.
#pragma once

#include "pde/Protocol.h"

namespace tlco {

class PDEPlugIn : public pde::PlugIn {
    UI_DECLARE_CLASS()

public:
    bool initWithBundle(const cf::BundleRef& bundle) override;
    std::optional<pde::PanelList> PDEPanelsForType(
        std::string_view type, std::shared_ptr<pde::Callback> callback) override;
};

} // namespace tlco
