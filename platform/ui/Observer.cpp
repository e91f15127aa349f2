// SPDX-License-Identifier: Apache-2.0
// The single change observer.
#include "ui/Observer.h"

namespace ui {

namespace {
Observer* current = nullptr;
}

void setObserver(Observer* observer)
{
    current = observer;
}
Observer* observer()
{
    return current;
}

void notifyChange(Object& object, Change what)
{
    if (current) current->changed(object, what);
}

} // namespace ui
