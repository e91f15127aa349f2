// SPDX-License-Identifier: Apache-2.0
// The printers the window offers: the CUPS destinations (the default first) with their location and
// state, and the sample printer when the dialog runs on it or no printer was named.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace host {

struct PrinterEntry {
    std::optional<std::string> queue;    // none: the virtual printer of the command line
    std::optional<std::string> instance; // an lpoptions instance of the queue (QUEUE/INSTANCE)
    std::string title;                   // the queue's name, or what names the virtual printer
    std::string location;
    bool isDefault = false;
    enum class State { Idle, Processing, Stopped } state = State::Idle;
    std::vector<std::string> reasons; // printer-state-reasons, "none" left out

    // QUEUE or QUEUE/INSTANCE; empty for the virtual printer.
    std::string destination() const;
    // Print asks first: the queue is stopped or reports a reason.
    bool needsWarning() const { return state == State::Stopped || !reasons.empty(); }
};

struct PrinterListing {
    std::vector<PrinterEntry> printers;
    std::optional<std::string> error; // the server could not be asked (a one-line reason)
};

// The destinations of the environment's CUPS server, each request within limitSeconds; while
// *cancel (when given) is non-zero the listing gives up within a quarter of a second.
PrinterListing cupsPrinters(int limitSeconds, int* cancel = nullptr);

// One queue as the server reports it now (state, reasons, location), each request within
// limitSeconds; nothing when it cannot be asked.
std::optional<PrinterEntry> cupsPrinter(const std::string& queue, int limitSeconds);

// A reason keyword as words: "toner-empty-error" -> "toner empty".
std::string reasonWords(const std::string& keyword);
// The entry's state in words: "Idle", "Stopped", "Stopped: toner empty", "Idle: toner low".
std::string stateWords(const PrinterEntry& entry);

} // namespace host
