// Placeholder: connection detection and the profile fetch arrive with printer profile discovery.
#include "binding/PDECommon.h"

namespace tlco {

int16_t PDECommon::commoniGetProtocolByUrl(const cf::StringRef&) { return -1; }
int16_t PDECommon::commoniGetProtocol(PMPrintSession) { return -1; }
int32_t PDECommon::commonGetProfilesFromMIB(PMPrintSession) { return 0; }

} // namespace tlco
