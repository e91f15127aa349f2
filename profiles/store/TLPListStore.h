// SPDX-License-Identifier: Apache-2.0
// The profile list store: where the per-user profile list file lives, and its three lists read into
// and written from caller-owned ProfileList records. kTLPListOK (0) is success, kTLPListError (-1)
// failure, unless a function says otherwise.
#pragma once

#include "profiles/store/ProfileList.h"

#include <cstdint>
#include <optional>
#include <string>

namespace tlco {

// Relative to the home folder.
inline constexpr const char* kProfileListFile = "Library/Preferences/jp.tessaluma.printers.zq4410PS.profile.plist";
inline constexpr const char* kProfileBackupFile =
    "Library/Preferences/jp.tessaluma.printers.zq4410PS.profile.prev.plist";

// "%s/%s" of the real user's home folder (from the password database) and relativePath, in at most
// 254 bytes. Nothing for a null path, no home folder, or a result that does not fit.
std::optional<std::string> TLPListMakePath(const char* relativePath);

// Read one list (listIndex kListRGB, kListSIM or kListDST) or all three from the file into the given
// records. Each item takes the fields the file holds for it and keeps the rest (so pass zeroed
// records), iNum takes the file's count, and the used items are then packed to the front
// (TLPlistCheckWithInMenu_Dict).
// kTLPListError, touching no record, for a null record, another list index, no home folder, a file
// that is missing or unreadable, or a list that is not complete in it.
int32_t TLPListReadProfile_All(ProfileList* rgb, ProfileList* sim, ProfileList* dst);
int32_t TLPListReadProfile_Dict(ProfileList* list, int listIndex);
// The same for printers whose profiles cannot be fetched: hidden printer profiles are left out and
// shown ones read as shown user profiles.
int32_t TLPListReadProfile_Dict_Pap(ProfileList* list, int listIndex);

// Replaces the file with the three lists, whole (a reader sees the old file or the new one) and
// mode rw-rw-r--. A file that holds no complete list is first kept beside it as "<file>.damaged".
// kTLPListError, with the reason on stderr and the file as it was, for a null record, a failed
// write-access probe, an existing file that cannot be read, a damaged one that cannot be kept aside,
// or a failed write.
int32_t TLPListWriteProfile_All(const ProfileList* rgb, const ProfileList* sim, const ProfileList* dst);
// Replaces one list: reads the file's three lists (empty ones when it cannot be read) into the given
// out-records, puts *list in place of list listIndex, writes the three, and copies *list into that
// list's out-record. `list` may be one of the out-records.
// Returns the write's result; listIndex itself (nothing written, the out-records still filled) when it
// is not a list index; kTLPListError for a null list.
int32_t TLPListWriteProfile_Dict(
    const ProfileList* list, int listIndex, ProfileList* rgbOut, ProfileList* simOut, ProfileList* dstOut);
// Writes the lists merged with the file's printer profiles (TLPListMapping_Pap), for printers whose
// profiles cannot be fetched. Null records count as empty. kTLPListError as TLPListWriteProfile_All.
int32_t TLPListWriteProfile_All_Pap(const ProfileList* rgb, const ProfileList* sim, const ProfileList* dst,
    const ProfileList* rgbDeleted, const ProfileList* simDeleted, const ProfileList* dstDeleted);

// 1 when this user may write the profile list file (probeWriteAccess), else 0.
int32_t TLPListIsAdminProfile();
// Whether the file, or while there is none its folder, is writable with the effective ids; false for
// no home folder or a file that is not a regular one. Creates a missing Library/Preferences, nothing
// else. With a prefix, a refusal is reported on stderr under it.
bool probeWriteAccess(const char* failurePrefix);

// When iNum is not the number of used items, moves the used items to the front in order, clears the
// rest and sets iNum to their number. Nothing for a null list.
void TLPlistCheckWithInMenu_Dict(ProfileList* list);

} // namespace tlco
