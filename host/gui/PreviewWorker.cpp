// SPDX-License-Identifier: Apache-2.0
// The cancel flag is shared with the engine's helper programs: setting it stops Ghostscript or a
// filter at once, and the engine hands back a cancelled sheet that is not shown. A result queued for
// a receiver that is deleted meanwhile is dropped by Qt.
#include "host/gui/PreviewWorker.h"

#include "host/Translate.h"

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
        waiting_ = Request{std::move(job), sheet, box, generation};
        cancel_ = true;
    }
    wake_.notify_one();
    return generation;
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

void PreviewWorker::loop()
{
    for (;;) {
        Request next;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            wake_.wait(lock, [this] { return stopping_ || waiting_; });
            if (stopping_) return;
            next = std::move(*waiting_);
            waiting_.reset();
            cancel_ = false;
        }
        preview::PreviewSheet sheet = draw(next);
        if (sheet.cancelled) continue;
        QMetaObject::invokeMethod(
            receiver_,
            [done = done_, sheet = std::move(sheet), generation = next.generation]() mutable {
                done(std::move(sheet), generation);
            },
            Qt::QueuedConnection);
    }
}

} // namespace host
