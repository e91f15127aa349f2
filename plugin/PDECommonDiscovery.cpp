// SPDX-License-Identifier: Apache-2.0
// PDECommon's fetch of the printer's profiles, over discovery/, which only plugin/ sees.
#include "binding/PDECommon.h"

#include "discovery/PrinterConnection.h"

namespace tlco {

int32_t PDECommon::commonGetProfilesFromMIB(PMPrintSession session)
{
    return fetchProfilesFromMIB(session);
}

} // namespace tlco
