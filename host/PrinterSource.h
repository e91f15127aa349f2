// SPDX-License-Identifier: Apache-2.0
// Where the dialog's printer comes from: a virtual printer of the command line, or a CUPS queue.
#pragma once

#include "host/Options.h"
#include "print/Printer.h"

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace host {

struct PrinterChoice {
    std::string ppdPath;
    std::shared_ptr<pm::Printer> printer; // null: a session without a current printer
    bool ppdIsTemporary = false;          // a copy fetched from a server, removed when the dialog ends
    // The destination's options (queue defaults, then lpoptions), to be marked on the PPD.
    std::vector<std::pair<std::string, std::string>> defaults;
};

// The virtual printer of the options (default PPD: zq4410.ppd in the folder of sample PPDs).
std::optional<PrinterChoice> virtualPrinter(const Options& options, const std::string& samplePpds, std::string* error);
// A destination of the environment's CUPS server: its PPD, its name as ID, its device URI. While
// *cancel (when given) is non-zero, it gives up within a quarter of a second.
std::optional<PrinterChoice> cupsQueuePrinter(
    const std::string& queue, int limitSeconds, std::string* error, int* cancel = nullptr);

} // namespace host
