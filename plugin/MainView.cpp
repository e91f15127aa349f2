// SPDX-License-Identifier: Apache-2.0
// The top view's class entry.
#include "plugin/MainView.h"

#include "plugin/Classes.h"

namespace tlco {

const ui::ClassInfo& MainView::staticClassInfo()
{
    static const ui::ClassInfo info =
        ui::ClassBuilder<MainView>(registeredName("MainView"), &ui::View::staticClassInfo()).build();
    return info;
}

} // namespace tlco
