// SPDX-License-Identifier: Apache-2.0
// Saving the three profile lists to the file: the write-access check, the lock, keeping a damaged
// file aside, and the reason a save failed.
#pragma once

#include "profiles/store/ProfileList.h"

#include <array>
#include <string>

namespace tlco {

// Whether the file, or while there is none its folder, is writable with the effective ids; false and
// the reason for no home folder, a file that is not a regular one, or no write access. Creates a
// missing Library/Preferences, nothing else.
bool checkWriteAccess(std::string* reason);
// "<prefix> <file>: <reason>" ("<prefix>: <reason>" without a home folder).
std::string failureText(const char* prefix, const std::string& reason);
// The same on standard error.
void warnFailure(const char* prefix, const std::string& reason);

// Replaces the file with the three lists under the profile list lock (see TLPListWriteProfile_All).
// False, with the reason on standard error and in *reason (when given), when the file is as it was.
bool saveProfileLists(const ProfileList& rgb, const ProfileList& sim, const ProfileList& dst, std::string* reason);
// The same for printers whose profiles cannot be fetched: the lists merged with the file's printer
// profiles (TLPListMapping_Pap), read and written under one lock. Null lists count as empty.
bool savePrinterLists(const std::array<const ProfileList*, 3>& edited, const std::array<const ProfileList*, 3>& deleted,
    std::string* reason);

} // namespace tlco
