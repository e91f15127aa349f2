// SPDX-License-Identifier: Apache-2.0
// Static text.
#pragma once

#include "Export.h"

#include "ui/Control.h"

#include <string>

namespace ui {

class TL_EXPORT Label : public Control {
    UI_DECLARE_CLASS()

public:
    const std::string& stringValue() const { return text_; }
    void setStringValue(std::string text) { set(text_, std::move(text), Change::Text); }

private:
    std::string text_;
};

} // namespace ui
