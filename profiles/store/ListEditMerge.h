// SPDX-License-Identifier: Apache-2.0
// One dialog's edits of a profile list laid over the list as another dialog has saved it since.
#pragma once

#include "profiles/store/ProfileList.h"

namespace tlco {

// Whether two lists hold the same items in the same order (iDriver, which the file never holds,
// aside).
bool sameListItems(const ProfileList& a, const ProfileList& b);

// out: current with the changes that turned base into edited. An item is known by its file name and
// place, as the merges of the store know it: an item of base missing from edited is deleted from
// current; an item of edited that base lacks, or holds otherwise (names, tick), replaces current's
// item of the same file and place, or is appended (a profile the user registered then takes the
// index of its new slot). What would pass 500 items is dropped. out may be current.
void mergeListEdits(const ProfileList& base, const ProfileList& edited, const ProfileList& current, ProfileList& out);

} // namespace tlco
