// SPDX-License-Identifier: Apache-2.0
// The cancel flag is shared with the engine's helper programs: setting it stops Ghostscript or a
// filter at once, and the engine hands back a cancelled sheet that is not shown. A result queued for
// a receiver that is deleted meanwhile is dropped by Qt.
#include "host/gui/PreviewWorker.h"

#include "host/Translate.h"
#include "host/preview/BackgroundPriority.h"

#include <QMetaObject>

namespace host {

PreviewWorker::PreviewWorker(EngineSource engine, QObject* receiver, Done done)
    : engine_(std::move(engine)), receiver_(receiver), done_(std::move(done)), thread_([this] { loop(); })
{
}

PreviewWorker::~PreviewWorker()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
        cancel_ = true;
    }
    wake_.notify_one();
    thread_.join();
}

int PreviewWorker::request(preview::PreviewJob job, int sheet, preview::SheetBox box)
{
    int generation;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        generation = ++generation_;
        // The preparation of this very job is what the sheet needs first.
        const bool preparing = running_ && running_->task == Task::Prepare && running_->job == job;
        waiting_ = Request{Task::Draw, std::move(job), sheet, box, generation};
        idle_.reset();
        if (!preparing) cancel_ = true;
    }
    wake_.notify_one();
    return generation;
}

void PreviewWorker::prepare(preview::PreviewJob job)
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (waiting_ && waiting_->task == Task::Draw) return;
        if (running_ && running_->job == job) return;
        waiting_ = Request{Task::Prepare, std::move(job), 1, {}, 0};
        idle_.reset();
        cancel_ = true;
    }
    wake_.notify_one();
}

preview::PreviewSheet PreviewWorker::draw(const Request& request)
{
    std::string error;
    if (preview::PreviewEngine* engine = engine_(&error))
        return engine->render(request.job, request.sheet, request.box, &cancel_);
    preview::PreviewSheet nothing;
    nothing.notes.push_back(trf("There is no preview: {1}", {error}));
    return nothing;
}

bool PreviewWorker::next(Request& request)
{
    std::unique_lock<std::mutex> lock(mutex_);
    running_.reset();
    wake_.wait(lock, [this] { return stopping_ || waiting_ || idle_; });
    if (stopping_) return false;
    std::optional<Request>& taken = waiting_ ? waiting_ : idle_;
    request = std::move(*taken);
    taken.reset();
    running_ = request;
    cancel_ = false;
    return true;
}

void PreviewWorker::run(const Request& request)
{
    std::string error;
    if (request.task != Task::Draw) {
        preview::PreviewEngine* engine = engine_(&error);
        if (engine && request.task == Task::Prepare) engine->prepare(request.job, &cancel_);
        if (engine && request.task == Task::Warm) engine->warm(request.job, request.sheet, &cancel_);
        return;
    }
    preview::PreviewSheet sheet = draw(request);
    if (sheet.cancelled) return;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!waiting_) idle_ = Request{Task::Warm, request.job, sheet.sheet, request.box, 0};
    }
    QMetaObject::invokeMethod(
        receiver_,
        [done = done_, sheet = std::move(sheet), generation = request.generation]() mutable {
            done(std::move(sheet), generation);
        },
        Qt::QueuedConnection);
}

void PreviewWorker::loop()
{
    preview::BackgroundPriority::lowerThisThread();
    for (Request request; next(request);) run(request);
}

} // namespace host
