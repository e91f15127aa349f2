// PDECommon's connection and fetch operations, over discovery/.
#include "binding/PDECommon.h"

#include "discovery/PrinterConnection.h"

namespace tlco {

int16_t PDECommon::commoniGetProtocolByUrl(const cf::StringRef& deviceURI)
{
    return protocolOfDeviceURI(deviceURI);
}

int16_t PDECommon::commoniGetProtocol(PMPrintSession session)
{
    return protocolOfSession(session);
}

int32_t PDECommon::commonGetProfilesFromMIB(PMPrintSession session)
{
    return fetchProfilesFromMIB(session);
}

} // namespace tlco
