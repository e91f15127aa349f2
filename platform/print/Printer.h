// SPDX-License-Identifier: Apache-2.0
// A print queue as the printing system knows it: its identifier and the device it prints to.
#pragma once

#include "Export.h"

#include <optional>
#include <string>

namespace pm {

class TL_EXPORT Printer {
public:
    Printer(std::string id, std::optional<std::string> deviceURI) : id_(std::move(id)), deviceURI_(std::move(deviceURI))
    {
    }

    const std::string& id() const { return id_; }
    const std::optional<std::string>& deviceURI() const { return deviceURI_; }

private:
    std::string id_;
    std::optional<std::string> deviceURI_;
};

} // namespace pm
