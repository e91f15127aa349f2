// A push button, or (as CheckBox) a switch with an on/off state.
#pragma once

#include "Export.h"

#include "ui/Control.h"

#include <string>

namespace ui {

class TL_EXPORT Button : public Control {
    UI_DECLARE_CLASS()

public:
    const std::string& title() const { return title_; }
    void setTitle(std::string title) { title_ = std::move(title); }
    // 0 off, 1 on.
    int state() const { return state_; }
    void setState(int state) { state_ = state != 0 ? 1 : 0; }
    virtual bool isSwitch() const { return false; }

    // A person clicks: a switch toggles its state; then the action is sent. Nothing when disabled.
    bool userClick();

private:
    std::string title_;
    int state_ = 0;
};

class TL_EXPORT CheckBox : public Button {
    UI_DECLARE_CLASS()

public:
    bool isSwitch() const override { return true; }
};

} // namespace ui
