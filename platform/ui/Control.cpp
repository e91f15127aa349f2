// SPDX-License-Identifier: Apache-2.0
// Target and action.
#include "ui/Control.h"

#include <nlohmann/json.hpp>

namespace ui {

const ClassInfo& Control::staticClassInfo()
{
    static const ClassInfo info = ClassBuilder<Control>("Control", &View::staticClassInfo())
                                      .property("tag",
                                          [](Control& control, const nlohmann::json& value) {
                                              if (!value.is_number_integer()) return false;
                                              control.setTag(value.get<int>());
                                              return true;
                                          })
                                      .build();
    return info;
}

bool Control::sendAction()
{
    if (!target_ || action_.empty()) return false;
    return target_->performAction(action_, this);
}

} // namespace ui
