// SPDX-License-Identifier: Apache-2.0
// A view a person acts on; it sends its action to its target.
#pragma once

#include "Export.h"

#include "ui/View.h"

#include <string>

namespace ui {

class TL_EXPORT Control : public View {
    UI_DECLARE_CLASS()

public:
    Object* target() const { return target_; }
    void setTarget(Object* target) { target_ = target; }
    const std::string& action() const { return action_; }
    void setAction(std::string action) { action_ = std::move(action); }
    int tag() const { return tag_; }
    void setTag(int tag) { tag_ = tag; }

    // Sends the action to the target; false when either is missing or the target lacks the action.
    bool sendAction();

private:
    Object* target_ = nullptr;
    std::string action_;
    int tag_ = 0;
};

} // namespace ui
