// SPDX-License-Identifier: Apache-2.0
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
    void setTitle(std::string title) { set(title_, std::move(title), Change::Text); }
    // 0 off, 1 on.
    int state() const { return state_; }
    void setState(int state) { set(state_, state != 0 ? 1 : 0, Change::State); }
    virtual bool isSwitch() const { return false; }
    // "\r" for the default button (Return), "\x1b" for the cancel button (Escape).
    const std::string& keyEquivalent() const { return keyEquivalent_; }
    void setKeyEquivalent(std::string key) { set(keyEquivalent_, std::move(key), Change::State); }

    // A person clicks: a switch toggles its state; then the action is sent. Nothing when disabled.
    bool userClick();

private:
    std::string title_;
    int state_ = 0;
    std::string keyEquivalent_;
};

class TL_EXPORT CheckBox : public Button {
    UI_DECLARE_CLASS()

public:
    bool isSwitch() const override { return true; }
};

} // namespace ui
