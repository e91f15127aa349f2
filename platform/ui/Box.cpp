// SPDX-License-Identifier: Apache-2.0
// Titled frame.
#include "ui/Box.h"

namespace ui {

const ClassInfo& Box::staticClassInfo()
{
    static const ClassInfo info =
        ClassBuilder<Box>("Box", &View::staticClassInfo()).property("title", &Box::setTitle).build();
    return info;
}

} // namespace ui
