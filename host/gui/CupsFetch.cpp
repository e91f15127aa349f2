// SPDX-License-Identifier: Apache-2.0
// Worker threads for CUPS requests, and the hand-over of their answers to the window's thread.
#include "host/gui/CupsFetch.h"

#include <QMetaObject>

#include <unistd.h>

#include <memory>

namespace host {
namespace {

// A fetched PPD that is removed unless its answer reached the window (which then owns it).
struct PendingPpd {
    std::optional<PrinterChoice> printer;
    bool delivered = false;
    ~PendingPpd()
    {
        if (!delivered) discardPrinter(printer);
    }
};

} // namespace

void discardPrinter(const std::optional<PrinterChoice>& printer)
{
    if (printer && printer->ppdIsTemporary && !printer->ppdPath.empty()) ::unlink(printer->ppdPath.c_str());
}

CupsFetch::~CupsFetch()
{
    cancel_ = 1;
    for (std::thread& thread : threads_) thread.join();
}

void CupsFetch::start(std::function<std::function<void()>()> work)
{
    threads_.emplace_back([this, work = std::move(work)] {
        std::function<void()> answer = work();
        QMetaObject::invokeMethod(&receiver_, std::move(answer), Qt::QueuedConnection);
    });
}

void CupsFetch::listPrinters(std::function<void(PrinterListing)> done)
{
    start([this, done = std::move(done)]() -> std::function<void()> {
        auto listing = std::make_shared<PrinterListing>(cupsPrinters(limitSeconds_, &cancel_));
        return [done, listing] { done(std::move(*listing)); };
    });
}

void CupsFetch::fetchQueue(const std::string& queue, QueueDone done)
{
    start([this, queue, done = std::move(done)]() -> std::function<void()> {
        auto pending = std::make_shared<PendingPpd>();
        auto error = std::make_shared<std::string>();
        pending->printer = cupsQueuePrinter(queue, limitSeconds_, error.get(), &cancel_);
        return [done, pending, error] {
            pending->delivered = true;
            done(std::move(pending->printer), *error);
        };
    });
}

} // namespace host
