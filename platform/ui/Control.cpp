// SPDX-License-Identifier: Apache-2.0
// Target and action.
#include "ui/Control.h"

namespace ui {

const ClassInfo& Control::staticClassInfo()
{
    static const ClassInfo info =
        ClassBuilder<Control>("Control", &View::staticClassInfo()).property("tag", &Control::setTag).build();
    return info;
}

bool Control::sendAction()
{
    if (!target_ || action_.empty()) return false;
    return target_->performAction(action_, this);
}

} // namespace ui
