// SPDX-License-Identifier: Apache-2.0
// A window with a title and a content view.
#pragma once

#include "Export.h"

#include "ui/Observer.h"
#include "ui/View.h"

#include <string>

namespace ui {

class TL_EXPORT Window : public Object {
    UI_DECLARE_CLASS()

public:
    const std::string& title() const { return title_; }
    void setTitle(std::string title);
    View* contentView() const { return contentView_; }
    void setContentView(View* view) { contentView_ = view; }
    Rect frame() const { return frame_; }
    void setFrame(Rect frame);
    // The view that takes the keyboard in this window; null: none chosen.
    View* firstResponder() const { return firstResponder_; }
    // Program call: a GUI moves the keyboard focus to view (not owned; null: none).
    void makeFirstResponder(View* view);
    bool isVisible() const { return visible_; }
    void orderFront();
    void close();
    // Centres the window on a 1280 by 800 screen.
    void center();

private:
    std::string title_;
    View* contentView_ = nullptr;
    View* firstResponder_ = nullptr;
    Rect frame_;
    bool visible_ = false;
};

} // namespace ui
