// SPDX-License-Identifier: Apache-2.0
// Windows.
#include "ui/Window.h"

namespace ui {

const ClassInfo& Window::staticClassInfo()
{
    static const ClassInfo info = ClassBuilder<Window>("Window", nullptr)
                                      .property("title", &Window::setTitle)
                                      .property("frame", &Window::setFrame)
                                      .linkProperty("contentView", &Window::setContentView)
                                      .build();
    return info;
}

void Window::setTitle(std::string title)
{
    if (title == title_) return;
    title_ = std::move(title);
    notifyChange(*this, Change::Text);
}

void Window::setFrame(Rect frame)
{
    if (frame == frame_) return;
    frame_ = frame;
    notifyChange(*this, Change::Frame);
}

void Window::makeFirstResponder(View* view)
{
    firstResponder_ = view;
    notifyChange(*this, Change::FirstResponder);
}

void Window::orderFront()
{
    if (visible_) return;
    visible_ = true;
    notifyChange(*this, Change::WindowShown);
}

void Window::close()
{
    if (!visible_) return;
    visible_ = false;
    notifyChange(*this, Change::WindowClosed);
}

void Window::center()
{
    setFrame(makeRect(
        (1280 - frame_.size.width) / 2, (800 - frame_.size.height) / 2, frame_.size.width, frame_.size.height));
}

} // namespace ui
