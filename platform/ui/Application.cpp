// SPDX-License-Identifier: Apache-2.0
// Modal runs that end when stopped or when no user event is left.
#include "ui/Application.h"

#include "ui/Observer.h"
#include "ui/OpenPanel.h"
#include "ui/Window.h"

namespace ui {

Application& Application::shared()
{
    static Application application;
    return application;
}

int Application::runModalForWindow(Window& window)
{
    Window* outer = modal_;
    bool outerStopped = stopped_;
    modal_ = &window;
    stopped_ = false;
    window.orderFront();
    notifyChange(window, Change::ModalStart);
    int code = runLoop(window) ? stopCode_ : NSModalResponseAbort;
    modal_ = outer;
    stopped_ = outerStopped;
    notifyChange(window, Change::ModalStop);
    return code;
}

bool Application::runLoop(Window& window)
{
    if (!source_ && modalLoop_) return modalLoop_(window, [this] { return stopped_; }) && stopped_;
    while (!stopped_)
        if (!source_ || !source_()) return false; // nothing left to answer the window: abort
    return true;
}

std::optional<std::string> Application::runOpenPanel(const std::string& directory)
{
    if (openAnswers_.empty() && openPanelRunner_) return openPanelRunner_(directory);
    return takeOpenPanelAnswer();
}

void Application::stopModalWithCode(int code)
{
    if (!modal_) return;
    stopped_ = true;
    stopCode_ = code;
    notifyChange(*modal_, Change::ModalStop);
}

std::optional<std::string> Application::takeOpenPanelAnswer()
{
    if (openAnswers_.empty()) return std::nullopt;
    auto answer = std::move(openAnswers_.front());
    openAnswers_.pop_front();
    return answer;
}

} // namespace ui
