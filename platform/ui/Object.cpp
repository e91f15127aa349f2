// SPDX-License-Identifier: Apache-2.0
// Sending actions by name.
#include "ui/Object.h"

namespace ui {

bool Object::performAction(std::string_view action, Object* sender)
{
    const ClassInfo::Action* method = classInfo().findAction(action);
    if (!method) return false;
    (*method)(*this, sender);
    return true;
}

} // namespace ui
