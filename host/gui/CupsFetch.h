// SPDX-License-Identifier: Apache-2.0
// Asks the CUPS server on threads of their own, so that the window never waits on it: the printer
// list, and a queue's PPD and options before its panel opens. Answers arrive on the window's thread.
#pragma once

#include "host/PrinterSource.h"
#include "host/gui/PrinterList.h"

#include <QObject>

#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace host {

class CupsFetch {
public:
    // Each request to the server within limitSeconds.
    explicit CupsFetch(int limitSeconds) : limitSeconds_(limitSeconds) { }
    // Gives up what still runs (within a quarter of a second) and drops answers not yet delivered.
    ~CupsFetch();
    CupsFetch(const CupsFetch&) = delete;
    CupsFetch& operator=(const CupsFetch&) = delete;

    void listPrinters(std::function<void(PrinterListing)> done);
    // done takes the printer (and its temporary PPD), or nothing and a one-line reason.
    using QueueDone = std::function<void(std::optional<PrinterChoice> printer, const std::string& error)>;
    void fetchQueue(const std::string& queue, QueueDone done);

private:
    void start(std::function<std::function<void()>()> work);

    int limitSeconds_;
    int cancel_ = 0; // read by libcups' waits on the threads
    QObject receiver_;
    std::vector<std::thread> threads_;
};

// Removes a fetched printer's temporary PPD that no dialog took.
void discardPrinter(const std::optional<PrinterChoice>& printer);

} // namespace host
