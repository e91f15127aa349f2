// SPDX-License-Identifier: Apache-2.0
// Push buttons and check boxes.
#include "ui/Button.h"

namespace ui {

const ClassInfo& Button::staticClassInfo()
{
    static const ClassInfo info = ClassBuilder<Button>("Button", &Control::staticClassInfo())
                                      .property("title", &Button::setTitle)
                                      .property("state", &Button::setState)
                                      .property("keyEquivalent", &Button::setKeyEquivalent)
                                      .build();
    return info;
}

bool Button::userClick()
{
    if (!isEnabled()) return false;
    if (isSwitch()) setState(state() ? 0 : 1);
    sendAction();
    return true;
}

const ClassInfo& CheckBox::staticClassInfo()
{
    static const ClassInfo info = ClassBuilder<CheckBox>("CheckBox", &Button::staticClassInfo()).build();
    return info;
}

} // namespace ui
