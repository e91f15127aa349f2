// SPDX-License-Identifier: Apache-2.0
// The fetch of the profiles that the current printer stores.
#pragma once

#include "print/PMCalls.h"

#include <cstdint>

namespace tlco {

// Backs up the stored profile lists, then, for a network printer (LPD or Bonjour) whose address
// resolves, walks its profile table into them. Always 0: a printer that cannot be asked leaves the
// lists as they were.
int32_t fetchProfilesFromMIB(PMPrintSession session);

} // namespace tlco
