// SPDX-License-Identifier: Apache-2.0
// The printers the window offers: the CUPS destinations with their instances (the default first),
// and the sample printer when the dialog runs on it or there is no queue.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace host {

struct PrinterEntry {
    std::string title;
    std::optional<std::string> queue; // none: the virtual printer of the command line
};

std::vector<PrinterEntry> cupsPrinters();

} // namespace host
