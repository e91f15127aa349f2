// SPDX-License-Identifier: Apache-2.0
// The plug-in's classes, registered once under their suffixed names.
#include "plugin/Classes.h"

#include "controls/TLTextField.h"
#include "panels/AdvancedColorOptions.h"
#include "panels/ColorOptions.h"
#include "panels/PainChangeController.h"
#include "plugin/MainView.h"
#include "plugin/PDEPlugIn.h"
#include "plugin/PDEPlugInInterface.h"
#include "profiles/ProfileControl.h"
#include "ui/ClassRegistry.h"

namespace tlco {

bool registerClasses()
{
    static const bool registered = [] {
        bool ok = true;
        for (const ui::ClassInfo* info : {&PDEPlugIn::staticClassInfo(), &PDEPlugInInterface::staticClassInfo(),
                 &MainView::staticClassInfo(), &PainChangeController::staticClassInfo(),
                 &ColorOptions::staticClassInfo(), &AdvancedColorOptions::staticClassInfo(),
                 &ProfileControl::staticClassInfo(), &TLTextField::staticClassInfo()})
            ok = ui::ClassRegistry::registerClass(*info) && ok;
        return ok;
    }();
    return registered;
}

} // namespace tlco
