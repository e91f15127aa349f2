// SPDX-License-Identifier: Apache-2.0
// One run of the print window for a person against the CUPS server of the environment: how long after
// the window shows it first takes input, the longest it cannot while the printer list comes in, and
// when the chooser is filled. Prints one JSON line; bench/window_input.py drives it.
#include "host/ProgramFiles.h"
#include "host/gui/GuiSession.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTimer>

#include <nlohmann/json.hpp>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// Input stands in as an event posted every period: the gap between two deliveries beyond the period
// is how long input would have waited.
class Probe final : public QObject {
public:
    explicit Probe(int queues) : queues_(queues) { qApp->installEventFilter(this); }

    nlohmann::json figures() const
    {
        return {{"queues", queues_}, {"ready_ms", ready_}, {"longest_wait_ms", longest_}, {"listed_ms", listed_},
            {"longest_wait_at_ms", longestAt_}};
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (event->type() == QEvent::Show && widget && widget->isWindow() && !clock_.isValid() &&
            widget->findChild<QPushButton*>("printButton"))
            start(widget);
        return false;
    }

    void customEvent(QEvent*) override
    {
        const double now = clock_.nsecsElapsed() / 1e6;
        if (ready_ < 0) ready_ = now;
        if (last_ >= 0 && now - last_ - kPeriodMs > longest_) {
            longest_ = now - last_ - kPeriodMs;
            longestAt_ = last_;
        }
        last_ = now;
        watch();
    }

private:
    static constexpr int kPeriodMs = 2;

    void start(QWidget* window)
    {
        window_ = window;
        clock_.start();
        QCoreApplication::postEvent(this, new QEvent(QEvent::User));
        auto* tick = new QTimer(this);
        tick->setTimerType(Qt::PreciseTimer);
        connect(tick, &QTimer::timeout, this, [this] { QCoreApplication::postEvent(this, new QEvent(QEvent::User)); });
        tick->start(kPeriodMs);
    }

    // Ends the run a while after the chooser holds every queue (or when it takes too long).
    void watch()
    {
        auto* chooser = window_->findChild<QComboBox*>("printerChooser");
        const double now = clock_.nsecsElapsed() / 1e6;
        if (listed_ < 0 && chooser && chooser->count() >= queues_ + 1) listed_ = now;
        if ((listed_ >= 0 && now > listed_ + 300) || now > 20000) {
            if (auto* cancel = window_->findChild<QPushButton*>("cancelButton")) cancel->click();
        }
    }

    int queues_;
    QWidget* window_ = nullptr;
    QElapsedTimer clock_;
    double ready_ = -1, last_ = -1, longest_ = 0, longestAt_ = 0, listed_ = -1;
};

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_window_input QUEUES BUILD_BIN_DIR\n");
        return 2;
    }
    if (!std::getenv("QT_QPA_PLATFORM")) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    std::string error;
    auto gui = host::GuiSession::start(argc, argv, &error);
    if (!gui) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    Probe probe(std::atoi(argv[1]));
    const int status = gui->runForPerson({}, host::ProgramFiles::find(argv[2]), nullptr);
    std::printf("%s\n", probe.figures().dump().c_str());
    return status;
}
