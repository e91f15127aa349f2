// SPDX-License-Identifier: Apache-2.0
// Keeping the profile lists and the profile list file in order: the clean, packing and salvage
// passes over a caller-owned list, the backup file, and deleting either file.
#pragma once

#include "profiles/store/ProfileList.h"

#include <cstdint>

namespace tlco {

// File selectors of TLPListRemove.
inline constexpr int kFileBackup = 2;
inline constexpr int kFileProfileList = 3;

// Operations of TLPListSwapProfile.
inline constexpr int kSwapRestore = 0;
inline constexpr int kSwapDiscard = 1;
inline constexpr int kSwapBackUp = 2;

// Items with a file name but no index on the printer: shown printer profiles get index 501 and
// become shown unconfirmed ones; the others are cleared and iNum counts one less. Nothing for null.
void TLPListCleanProfile_Dict(ProfileList* list);
// Moves the used items to the front, in order, leaving iNum alone. Nothing for null.
void TLPListPaddingProfile_Dict(ProfileList* list);
// Shown unconfirmed printer profiles with an index and a file name become shown user profiles.
// Nothing for null.
void TLPListSalvage_Dict(ProfileList* list);

// kSwapBackUp copies a complete profile list file to the backup file, whole (an unreadable or
// damaged file leaves the backup and says so on stderr; a missing one removes the backup);
// kSwapRestore renames the backup over the file (nothing without a backup); kSwapDiscard removes the
// backup. Nothing for another operation, or when the user may not write the file (for a backup,
// said on stderr).
void TLPListSwapProfile(int operation);
// Deletes the file a kFile* selector names: 1 when it was deleted; 0 when the user may not write
// the file, the selector is unknown, there is no home folder, or the delete failed.
int32_t TLPListRemove(int selector);
// 1 when the user may write the profile list file and it opens for reading, else 0.
int32_t TLPListExistProfile();

} // namespace tlco
