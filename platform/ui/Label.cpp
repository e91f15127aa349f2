// SPDX-License-Identifier: Apache-2.0
// Static text.
#include "ui/Label.h"

namespace ui {

const ClassInfo& Label::staticClassInfo()
{
    static const ClassInfo info =
        ClassBuilder<Label>("Label", &Control::staticClassInfo()).property("text", &Label::setStringValue).build();
    return info;
}

} // namespace ui
