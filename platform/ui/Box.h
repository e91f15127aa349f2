// SPDX-License-Identifier: Apache-2.0
// A titled frame around other views; no behaviour.
#pragma once

#include "Export.h"

#include "ui/View.h"

#include <string>

namespace ui {

class TL_EXPORT Box : public View {
    UI_DECLARE_CLASS()

public:
    const std::string& title() const { return title_; }
    void setTitle(std::string title) { set(title_, std::move(title), Change::Text); }

private:
    std::string title_;
};

} // namespace ui
