// SPDX-License-Identifier: Apache-2.0
// Where the dialog's printer comes from: a virtual printer of the command line, or a CUPS queue.
#pragma once

#include "host/Options.h"
#include "host/QueueAttributes.h"
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
    // The queue's IPP defaults and supported values; empty for the virtual printer.
    QueueAttributes queue;
    // The CUPS queue; empty for the virtual printer.
    std::string queueName;
    // The lpoptions instance the destination names ("Photo" of "zq/Photo"); empty for none.
    std::string instance;
};

// The virtual printer of the options (default PPD: zq4410.ppd in the folder of sample PPDs).
std::optional<PrinterChoice> virtualPrinter(const Options& options, const std::string& samplePpds, std::string* error);
// A destination of the environment's CUPS server ("QUEUE" or "QUEUE/INSTANCE"): its PPD, its name as
// ID, its device URI, its options (an instance's own when one is named) and its IPP attributes. While
// *cancel (when given) is non-zero, it gives up within a quarter of a second.
std::optional<PrinterChoice> cupsQueuePrinter(
    const std::string& destination, int limitSeconds, std::string* error, int* cancel = nullptr);

} // namespace host
