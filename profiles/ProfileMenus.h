// SPDX-License-Identifier: Apache-2.0
// The profile pop-ups' menus: the profile list's shown entries after each pop-up's PPD choices.
#pragma once

#include "binding/ControlRecord.h"

#include <cstdint>

namespace tlco {

// Appends to every profile pop-up of `table` (up to the end record) an item per shown entry of its
// profile list, titled "file(profile)" and the localized word for the disk or card it is kept on.
//   noErr          every entry appended
//   paramErr       a null table; or a record that is no profile pop-up, or an entry whose location
//                  word has no translation (those skipped, the rest appended)
//   kTLPListError  the profile list file cannot be read (nothing appended)
int32_t appendProfileMenus(const PDEControlRecord* table);

} // namespace tlco
