// The profile list store and its maintenance: plain routines over caller-owned ProfileList records
// and the per-user profile list file. 0 is success and -1 failure unless said otherwise.
#pragma once

#include "cf/Dictionary.h"
#include "profiles/ProfileList.h"

#include <optional>
#include <string>

namespace tlco {

inline constexpr const char* kProfileListFile = "Library/Preferences/jp.tessaluma.printers.zq4410PS.profile.plist";
inline constexpr const char* kProfileBackupFile = "Library/Preferences/jp.tessaluma.printers.zq4410PS.profile.prev.plist";

// File selectors of TLPListRemove.
inline constexpr int kFileBackup = 2;
inline constexpr int kFileProfileList = 3;

// "%s/%s" of the real user's home directory (password database) and a relative path, in 255 bytes;
// nothing when there is no home or the path does not fit.
std::optional<std::string> TLPListMakePath(const char* relativePath);

int32_t TLPListReadProfile_All(ProfileList* rgb, ProfileList* sim, ProfileList* dst);
int32_t TLPListReadProfile_Dict(ProfileList* list, int listIndex);
int32_t TLPListReadProfile_Dict_Pap(ProfileList* list, int listIndex);
int32_t TLPListWriteProfile_All(const ProfileList* rgb, const ProfileList* sim, const ProfileList* dst);
int32_t TLPListWriteProfile_Dict(const ProfileList* list, int listIndex, ProfileList* rgbOut, ProfileList* simOut,
                                 ProfileList* dstOut);
int32_t TLPListWriteProfile_All_Pap(const ProfileList* rgb, const ProfileList* sim, const ProfileList* dst,
                                    const ProfileList* rgbDeleted, const ProfileList* simDeleted,
                                    const ProfileList* dstDeleted);
int32_t TLPListMappingProfile_All_Pap(const ProfileList* rgb, const ProfileList* sim, const ProfileList* dst,
                                      ProfileList* rgbOut, ProfileList* simOut, ProfileList* dstOut,
                                      const ProfileList* rgbDeleted, const ProfileList* simDeleted,
                                      const ProfileList* dstDeleted);
void TLPListMapping_Pap(const ProfileList* edited, const ProfileList* fromFile, ProfileList* out,
                        const ProfileList* deleted);
int32_t TLPListIsAdminProfile();
// The probe behind TLPListIsAdminProfile; with a prefix, a refusal is reported on standard error
// under it.
bool probeWriteAccess(const char* failurePrefix);
void TLPlistCheckWithInMenu_Dict(ProfileList* list);

// Maintenance.
void TLPListCleanProfile_Dict(ProfileList* list);
void TLPListPaddingProfile_Dict(ProfileList* list);
void TLPListSalvage_Dict(ProfileList* list);
void TLPListSwapProfile(int operation);
int32_t TLPListRemove(int selector);
int32_t TLPListExistProfile();
int32_t TLPListMappingGetMainDict_FromPlist(cf::DictionaryRef* rgb, cf::DictionaryRef* sim, cf::DictionaryRef* dst);
int32_t TLPListMappingGetSubDict(const cf::DictionaryRef& classDictionary, cf::DictionaryRef* indexOnDevice,
                                 cf::DictionaryRef* inMenu, cf::DictionaryRef* profileClass,
                                 cf::DictionaryRef* location, cf::DictionaryRef* fileName,
                                 cf::DictionaryRef* profileName, int32_t* count);

} // namespace tlco
