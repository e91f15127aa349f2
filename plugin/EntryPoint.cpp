// SPDX-License-Identifier: Apache-2.0
// The module's one exported symbol: the principal class.
#include "pde/Protocol.h"
#include "plugin/Classes.h"
#include "plugin/PDEPlugIn.h"

extern "C" __attribute__((visibility("default"))) const ui::ClassInfo* PDEPrincipalClass()
{
    if (!tlco::registerClasses()) return nullptr;
    return &tlco::PDEPlugIn::staticClassInfo();
}
