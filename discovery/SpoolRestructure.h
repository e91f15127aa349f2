// SPDX-License-Identifier: Apache-2.0
// The merge of the spool into the profile list file at the end of every walk.
#pragma once

#include "profiles/store/TLPList.h"

#include <cstdint>

namespace tlco {

// flag 0 when the walk succeeded, anything else when it failed. Returns the write's result.
int32_t vRestructPlistSpool2Current(int flag);
// Merges spool slot `slot` into `list`: re-confirms a listed profile or adds it.
void vRestructDetail(int slot, ProfileList* list);
// 1 for a non-empty 8.3 file name of the printer's character set.
bool bJudgement8point3Format(const char* name);

} // namespace tlco
