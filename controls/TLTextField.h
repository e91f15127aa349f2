// SPDX-License-Identifier: Apache-2.0
// A text field that filters what may be typed or pasted into it, limits its length (optionally to a
// name.extension shape) and enables another control while its text is usable.
#pragma once

#include "ui/TextField.h"

#include <cstdint>
#include <string>

namespace tlco {

class TLTextField : public ui::TextField {
    UI_DECLARE_CLASS()

public:
    void setMaxLength(int16_t length, int16_t extension)
    {
        maxLen = length;
        maxExtension = extension;
    }
    void setInputKey(int32_t key) { inputkey = key; }
    void setOperateControl(ui::Control* control) { operateOutlet = control; }
    void setOldString(const std::string& text) { oldValue = text; }

    bool textShouldBeginEditing(ui::Text& editor) override;
    bool textShouldEndEditing(ui::Text& editor) override;
    void textDidChange() override;

private:
    ui::Control* operateOutlet = nullptr;
    [[maybe_unused]] int16_t index = 0; // kept for the field layout; nothing reads it
    int32_t inputkey = 0;
    int32_t maxLen = 0;
    int32_t maxExtension = 0;
    std::string oldValue;
    ui::Text* textObj = nullptr;
};

} // namespace tlco
