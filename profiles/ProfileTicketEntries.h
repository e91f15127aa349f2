// SPDX-License-Identifier: Apache-2.0
// The per-job choice of a profile entry: a profile pop-up lists the profile list's shown entries
// after its PPD choices, and a chosen entry travels in the model dictionary as the nibble-encoded
// path of its file on the printer.
#pragma once

#include "binding/ControlRecord.h"
#include "binding/ProfileEntrySource.h"
#include "cf/Dictionary.h"

#include <cstdint>

namespace tlco {

// The list (kListRGB, kListDST, kListSIM) a profile pop-up draws on; -1 for another record or null.
int profileListOf(const PDEControlRecord* record);

// Stores, for a profile pop-up, its option's first choice, the encoded printer path of shown entry
// `select` (from 1; an empty path when the list has no such entry or cannot be read) and the flag
// "True" in `dictionary` (borrowed). noErr; kTLPListError for another record or a null dictionary
// (nothing stored).
int32_t storeChosenProfile(const PDEControlRecord* record, cf::Dictionary* dictionary, int16_t select);
// The shown entry (from 1) whose printer path the dictionary holds for a profile pop-up: only entries
// kept on the printer's disk or card can match. 0 when there is no path, a path longer than 1023
// bytes or not ASCII, or no such entry (also when the list cannot be read); kTLPListError for another
// record or a null dictionary.
int32_t chosenProfile(const PDEControlRecord* record, const cf::Dictionary* dictionary);

// The two above, as ticket synchronisation asks for them. A static object.
const ProfileEntrySource& profileListEntries();

} // namespace tlco
