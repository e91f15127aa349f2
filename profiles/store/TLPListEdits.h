// SPDX-License-Identifier: Apache-2.0
// The profile window's save: its edits of the three lists written so that a save of another dialog
// made while the window was open is kept.
#pragma once

#include "profiles/store/ProfileList.h"

#include <array>
#include <cstdint>
#include <string>

namespace tlco {

struct ProfileListEdits {
    std::array<const ProfileList*, 3> base{};    // the lists as the window read them, by list index
    std::array<const ProfileList*, 3> edited{};  // as the person left them
    std::array<const ProfileList*, 3> deleted{}; // what was deleted, for a direct printer
    // A printer whose profiles cannot be fetched (AppleTalk, USB): the lists were read with
    // TLPListReadProfile_Dict_Pap and are written with TLPListWriteProfile_All_Pap.
    bool direct = false;
};

// Under the profile list lock, reads the lists again as the window read them; a list still as base
// is replaced by its edited list, any other gets only this window's changes (mergeListEdits); then
// writes them as TLPListWriteProfile_All (or _Pap) does. kTLPListOK, or kTLPListError with the reason
// (also on standard error) when nothing was written. Every list must be given.
int32_t TLPListWriteProfile_Edits(const ProfileListEdits& edits, std::string* reason);

// The line a failed save of the profile list gives: "cannot save the profile list FILE: REASON".
std::string profileListSaveFailure(const std::string& reason);

} // namespace tlco
