// The application: modal runs of windows and the queue of user events that drives them headless.
#pragma once

#include "Export.h"

#include <deque>
#include <functional>
#include <optional>
#include <string>

namespace ui {

class Window;

class TL_EXPORT Application {
public:
    static Application& shared();

    // Delivers one queued user event; false when none is left. A modal run calls it until stopped.
    using EventSource = std::function<bool()>;
    void setEventSource(EventSource source) { source_ = std::move(source); }

    // Shows the window and runs until stopModal; NSModalResponseAbort when the events run out first.
    int runModalForWindow(Window& window);
    void stopModal() { stopModalWithCode(-1000); }
    void stopModalWithCode(int code);
    Window* modalWindow() const { return modal_; }

    // How the next open panel is answered: a path, or nothing for Cancel.
    void queueOpenPanelAnswer(std::optional<std::string> path) { openAnswers_.push_back(std::move(path)); }
    // The next answer; Cancel when none is queued.
    std::optional<std::string> takeOpenPanelAnswer();

private:
    EventSource source_;
    Window* modal_ = nullptr;
    bool stopped_ = false;
    int stopCode_ = 0;
    std::deque<std::optional<std::string>> openAnswers_;
};

} // namespace ui
