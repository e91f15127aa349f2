// SPDX-License-Identifier: Apache-2.0
// The fetch of the profiles that the current printer stores.
#pragma once

#include "print/PMCalls.h"

#include <cstdint>

namespace tlco {

// Backs up the stored profile lists, then, for a network printer (LPD or Bonjour) whose address
// resolves, walks its profile table into them. The host name's lookup and the walk share the walk's
// deadline; a name not looked up by then is merged as a walk that failed. Always 0.
int32_t fetchProfilesFromMIB(PMPrintSession session);

} // namespace tlco
