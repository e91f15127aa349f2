// Modal runs that end when stopped or when no user event is left.
#include "ui/Application.h"

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
    int code = NSModalResponseAbort;
    for (;;) {
        if (stopped_) {
            code = stopCode_;
            break;
        }
        if (!source_ || !source_()) break; // nothing left to answer the window: abort
    }
    modal_ = outer;
    stopped_ = outerStopped;
    return code;
}

void Application::stopModalWithCode(int code)
{
    if (!modal_) return;
    stopped_ = true;
    stopCode_ = code;
}

std::optional<std::string> Application::takeOpenPanelAnswer()
{
    if (openAnswers_.empty()) return std::nullopt;
    auto answer = std::move(openAnswers_.front());
    openAnswers_.pop_front();
    return answer;
}

} // namespace ui
