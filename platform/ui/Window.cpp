// SPDX-License-Identifier: Apache-2.0
// Windows.
#include "ui/Window.h"

#include <nlohmann/json.hpp>

namespace ui {

const ClassInfo& Window::staticClassInfo()
{
    static const ClassInfo info =
        ClassBuilder<Window>("Window", nullptr)
            .property("title",
                [](Window& window, const nlohmann::json& value) {
                    if (!value.is_string()) return false;
                    window.setTitle(value.get<std::string>());
                    return true;
                })
            .property("frame",
                [](Window& window, const nlohmann::json& value) {
                    if (!value.is_array() || value.size() != 4) return false;
                    for (const auto& n : value)
                        if (!n.is_number()) return false;
                    window.setFrame(makeRect(value[0].get<double>(), value[1].get<double>(), value[2].get<double>(),
                        value[3].get<double>()));
                    return true;
                })
            .linkProperty("contentView",
                [](Window& window, const nlohmann::json& value, const ClassInfo::Resolver& resolve) {
                    if (!value.is_string()) return false;
                    auto* view = dynamic_cast<View*>(resolve(value.get<std::string>()));
                    if (!view) return false;
                    window.setContentView(view);
                    return true;
                })
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
