// SPDX-License-Identifier: Apache-2.0
// The spool: the printer's profile table as the last walk fetched it, one slot per table row.
#pragma once

#include "profiles/store/TLPList.h"

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

#include <cstddef>
#include <cstdint>

namespace tlco {

// Root of the printer's profile table and its length in sub-identifiers.
inline constexpr oid kProfileTableRoot[] = {1, 3, 6, 1, 4, 1, 51234, 1, 1, 1, 1, 6, 13, 1, 1};
inline constexpr size_t kProfileTableRootLength = sizeof kProfileTableRoot / sizeof kProfileTableRoot[0];
// Root and column number.
inline constexpr size_t kColumnOidLength = kProfileTableRootLength + 1;
// A variable's row number is its 18th sub-identifier; shorter OIDs name no row.
inline constexpr size_t kRowOidLength = 18;

extern const oid iOidIndexOnDevice[kColumnOidLength];
extern const oid iOidSourceType[kColumnOidLength];
extern const oid iOidProfileName[kColumnOidLength];
extern const oid iOidFileName[kColumnOidLength];
extern const oid iOidProfileClass[kColumnOidLength];
extern const oid iOidProfileAvailability[kColumnOidLength];

// Zeroed at the start of every walk; row n fills slot n-1.
extern ProfileList PlistForSpool;

// With clear 1 empties the spool; with 0 stores the variable in the slot of its row, when its OID
// names a known column of a row from 1 to 500 and its type is the column's.
void vSpoolPlist(const oid* name, size_t length, const netsnmp_variable_list* variable, uint8_t clear);

} // namespace tlco
