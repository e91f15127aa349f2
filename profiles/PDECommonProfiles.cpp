// SPDX-License-Identifier: Apache-2.0
// PDECommon's members over profiles/, which binding/ (where the class is declared) cannot see; the
// ticket synchronisation is among them because it reaches the profile list's entries.
#include "binding/PDECommon.h"

#include "profiles/ProfileMenus.h"
#include "profiles/ProfileTicketEntries.h"

namespace tlco {

int32_t PDECommon::commonSyncTicketFromPane(
    PMPrintSettings ticket, PMPrintSession session, const PDEControlRecord* table)
{
    return syncTicketFromPane(ticket, session, table, profileListEntries());
}

int32_t PDECommon::commonSyncPaneFromTicket(
    PMPrintSettings ticket, PMPrintSession session, const PDEControlRecord* table)
{
    return syncPaneFromTicket(ticket, session, table, profileListEntries());
}

int32_t PDECommon::commonAddMenuFromProfilePlist(const PDEControlRecord* table)
{
    return appendProfileMenus(table);
}

int32_t PDECommon::commonSetTicketAddedProfile(
    const PDEControlRecord* record, cf::Dictionary* dictionary, int16_t select)
{
    return storeChosenProfile(record, dictionary, select);
}

int32_t PDECommon::commonGetTicketAddedProfile(const PDEControlRecord* record, const cf::Dictionary* dictionary)
{
    return chosenProfile(record, dictionary);
}

} // namespace tlco
