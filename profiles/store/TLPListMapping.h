// SPDX-License-Identifier: Apache-2.0
// Mapping between the profile list file and the lists: the merge that keeps the file's printer
// profiles for printers whose profiles cannot be fetched, and the file's raw dictionaries.
#pragma once

#include "cf/Dictionary.h"
#include "profiles/store/ProfileList.h"

#include <cstdint>

namespace tlco {

// TLPListMapping_Pap of each edited list with the file's list of the same class (empty when the file
// cannot be read). Null out-records are skipped. Always kTLPListOK.
int32_t TLPListMappingProfile_All_Pap(const ProfileList* rgb, const ProfileList* sim, const ProfileList* dst,
    ProfileList* rgbOut, ProfileList* simOut, ProfileList* dstOut, const ProfileList* rgbDeleted,
    const ProfileList* simDeleted, const ProfileList* dstDeleted);
// Sets *out to the file's printer profiles (shown or not) that are neither in `edited` nor in
// `deleted` (same location and file name), followed by the edited items; at most 500, iNum their
// number. Null inputs count as empty lists; `out` may be one of them; nothing for a null out.
void TLPListMapping_Pap(
    const ProfileList* edited, const ProfileList* fromFile, ProfileList* out, const ProfileList* deleted);

// The three class dictionaries (RGB, SIM, DST) of a fresh parse of the file, handed to the caller
// (nobody else holds them); null out-parameters are skipped. kTLPListError when the file cannot be
// read or a class dictionary is missing; the out-parameters of the classes before it may then be set.
int32_t TLPListMappingGetMainDict_FromPlist(cf::DictionaryRef* rgb, cf::DictionaryRef* sim, cf::DictionaryRef* dst);
// The six field dictionaries of a class dictionary, shared with it, and its count when the count is
// an integer (otherwise *count is left alone); null out-parameters are skipped. kTLPListError for a
// null class dictionary or a missing field dictionary; the fields before it may then be set.
int32_t TLPListMappingGetSubDict(const cf::DictionaryRef& classDictionary, cf::DictionaryRef* indexOnDevice,
    cf::DictionaryRef* inMenu, cf::DictionaryRef* profileClass, cf::DictionaryRef* location,
    cf::DictionaryRef* fileName, cf::DictionaryRef* profileName, int32_t* count);

} // namespace tlco
