// SPDX-License-Identifier: Apache-2.0
// How the current printer is connected, told by its device URI's scheme. Both the profile window
// (which marks entries kept on a networked printer) and the profile fetch ask it.
#pragma once

#include "cf/String.h"
#include "cf/URL.h"
#include "print/PMCalls.h"

#include <cstdint>
#include <string_view>

namespace tlco {

// Protocol codes of a device URI.
inline constexpr int16_t kProtocolLPD = 0;
inline constexpr int16_t kProtocolBonjour = 1;
inline constexpr int16_t kProtocolAppleTalk = 2;
inline constexpr int16_t kProtocolUSB = 3;
inline constexpr int16_t kProtocolOther = -1;

// A printer on the network (LPD or Bonjour): it tells over SNMP which profiles it stores.
constexpr bool isNetworkProtocol(int16_t protocol)
{
    return protocol == kProtocolLPD || protocol == kProtocolBonjour;
}
// A printer connected directly (AppleTalk or USB): the profile window records what the user deletes.
constexpr bool isDirectProtocol(int16_t protocol)
{
    return protocol == kProtocolAppleTalk || protocol == kProtocolUSB;
}

// The kProtocol* value of a URI's scheme prefix; kProtocolOther for another scheme.
int16_t protocolOfURIText(std::string_view uri);
// The same for a device URI; kProtocolOther for a null one.
int16_t protocolOfDeviceURI(const cf::StringRef& deviceURI);
// The same for the session's current printer; kProtocolOther for a null session, no current printer,
// or a printer without a device URI.
int16_t protocolOfSession(PMPrintSession session);

// The device URI of the session's current printer, a new URL; null in the same cases.
cf::URLRef currentDeviceURI(PMPrintSession session);

} // namespace tlco
