// SPDX-License-Identifier: Apache-2.0
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

    // Waits for a person while no queued events drive the run (a GUI backend's event loop): returns
    // once stopped() is true, or false when the person can no longer answer.
    using ModalLoop = std::function<bool(Window& window, const std::function<bool()>& stopped)>;
    void setModalLoop(ModalLoop loop) { modalLoop_ = std::move(loop); }
    // Asks a person for a file when no answer is queued; nothing for Cancel.
    using OpenPanelRunner = std::function<std::optional<std::string>(const std::string& directory)>;
    void setOpenPanelRunner(OpenPanelRunner runner) { openPanelRunner_ = std::move(runner); }
    std::optional<std::string> runOpenPanel(const std::string& directory);

    // Shows the window and runs until stopModal: queued events drive it when there is a source, else
    // the modal loop. NSModalResponseAbort when the events run out first (or nothing can answer).
    int runModalForWindow(Window& window);
    void stopModal() { stopModalWithCode(-1000); }
    void stopModalWithCode(int code);
    Window* modalWindow() const { return modal_; }

    // How the next open panel is answered: a path, or nothing for Cancel.
    void queueOpenPanelAnswer(std::optional<std::string> path) { openAnswers_.push_back(std::move(path)); }
    // The next answer; Cancel when none is queued.
    std::optional<std::string> takeOpenPanelAnswer();

private:
    bool runLoop(Window& window);

    EventSource source_;
    ModalLoop modalLoop_;
    OpenPanelRunner openPanelRunner_;
    Window* modal_ = nullptr;
    bool stopped_ = false;
    int stopCode_ = 0;
    std::deque<std::optional<std::string>> openAnswers_;
};

} // namespace ui
