// SPDX-License-Identifier: Apache-2.0
// Warnings as JSON lines.
#include "host/WarningPrinter.h"

#include "services/Warning.h"

#include <nlohmann/json.hpp>

#include <ostream>

namespace host {

WarningPrinter::WarningPrinter(bool json, std::ostream& out)
{
    if (!json) return;
    svc::Warning::setSink([&out](const std::string& text) {
        out << nlohmann::json{{"warning", text}}.dump() << std::endl;
    });
}

WarningPrinter::~WarningPrinter()
{
    svc::Warning::setSink({});
}

} // namespace host
