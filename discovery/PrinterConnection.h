// How the current printer is connected, and the fetch of the profiles that the printer stores.
#pragma once

#include "cf/String.h"
#include "print/PMCalls.h"

#include <cstdint>

namespace tlco {

// The kProtocol* value of a device URI's scheme; kProtocolOther for a null URI or another scheme.
int16_t protocolOfDeviceURI(const cf::StringRef& deviceURI);
// The same for the session's current printer; kProtocolOther when the session has none.
int16_t protocolOfSession(PMPrintSession session);
// Backs up the stored profile lists, then, for a network printer (LPD or Bonjour) whose address
// resolves, walks its profile table into them. Always 0: a printer that cannot be asked leaves the
// lists as they were.
int32_t fetchProfilesFromMIB(PMPrintSession session);

} // namespace tlco
