// SPDX-License-Identifier: Apache-2.0
// Registers the plug-in's classes under their suffixed names, once.
#pragma once

#include "base/ClassName.h"

namespace tlco {

// Adds every class an interface description may name; true when all are registered.
bool registerClasses();

} // namespace tlco
