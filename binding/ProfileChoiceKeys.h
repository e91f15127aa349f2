// SPDX-License-Identifier: Apache-2.0
// How a profile pop-up's choice of a profile entry is kept in the model dictionary: a flag under
// "<keyword>Custom" and the entry's path under "<keyword>CustomFilename".
#pragma once

#include "binding/ControlRecord.h"
#include "cf/Dictionary.h"

#include <cstdint>
#include <string>

namespace tlco {

inline constexpr const char* kProfileFlagTrue = "True";
inline constexpr const char* kProfileFlagFalse = "False";

// Whether the record is a profile pop-up (RGB, destination or simulation); false for null.
bool isProfilePopUp(const PDEControlRecord* record);
// The record's keyword with "Custom" or "CustomFilename" after it; record must not be null.
std::string profileFlagKey(const PDEControlRecord* record);
std::string profileFileNameKey(const PDEControlRecord* record);

// Stores `flag` (kProfileFlagTrue: a profile entry is chosen) for a profile pop-up in `dictionary`
// (borrowed). Always noErr; nothing is stored for another record, a null dictionary or flag.
int32_t setProfileChosenFlag(const PDEControlRecord* record, cf::Dictionary* dictionary, const char* flag);
// The stored flag, shared with the dictionary; null when there is none, for another record or for
// a null dictionary. Its type is whatever the settings held.
cf::Ref profileChosenFlag(const PDEControlRecord* record, const cf::Dictionary* dictionary);

} // namespace tlco
