// SPDX-License-Identifier: Apache-2.0
// Draws preview sheets off the window's thread, one at a time: a newer request replaces one that
// waits and cancels the one being drawn, so the window never waits and never shows a stale sheet
// for long. Results come back on the window's thread. The thread, and every helper program it
// starts, runs at a lower CPU priority than the window; when idle it gets the next likely redraw
// ready.
#pragma once

#include "host/preview/PreviewEngine.h"

#include <QObject>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace host {

class PreviewWorker {
public:
    // What came of request number `generation`, delivered on `receiver`'s thread unless the
    // receiver is gone by then.
    using Done = std::function<void(preview::PreviewSheet sheet, int generation)>;
    // The engine, made on the worker's thread when first asked for (reading the PPD and starting the
    // helper programs must not hold the window); null and why when it cannot be made.
    using EngineSource = std::function<preview::PreviewEngine*(std::string* error)>;

    // What the engine source gives and the receiver are borrowed and must outlive the worker.
    PreviewWorker(EngineSource engine, QObject* receiver, Done done);
    // Cancels what is being drawn and waits for the thread.
    ~PreviewWorker();
    PreviewWorker(const PreviewWorker&) = delete;
    PreviewWorker& operator=(const PreviewWorker&) = delete;

    // Asks for a sheet; returns the request's number. A preparation of the same job goes on.
    int request(preview::PreviewJob job, int sheet, preview::SheetBox box);
    // Gets the job ready to draw before any sheet of it is asked for (see PreviewEngine::prepare);
    // nothing is delivered. Ignored while a sheet is asked for.
    void prepare(preview::PreviewJob job);

private:
    enum class Task { Prepare, Draw, Warm };
    struct Request {
        Task task = Task::Draw;
        preview::PreviewJob job;
        int sheet = 1;
        preview::SheetBox box;
        int generation = 0;
    };
    void loop();
    bool next(Request& request);
    void run(const Request& request);
    preview::PreviewSheet draw(const Request& request);

    EngineSource engine_;
    QObject* receiver_;
    Done done_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::optional<Request> waiting_;
    std::optional<Request> idle_;    // what to get ready once nothing waits
    std::optional<Request> running_; // what the thread does now
    std::atomic<bool> cancel_{false};
    bool stopping_ = false;
    int generation_ = 0;
    std::thread thread_;
};

} // namespace host
