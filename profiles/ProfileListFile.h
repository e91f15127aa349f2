// The layout of the profile list file, shared by the store and its maintenance.
#pragma once

#include "cf/Dictionary.h"

#include <array>

namespace tlco::profilefile {

// Class dictionaries by list index.
inline constexpr std::array<const char*, 3> kClassKeys = {"RGB", "SIM", "DST"};
inline constexpr const char* kCountKey = "iNum";
inline constexpr const char* kVersionKey = "PlistVersion";
inline constexpr int kVersion = 1;

inline constexpr const char* kIndexOnDevice = "IndexOnDevice";
inline constexpr const char* kInMenu = "InMenu";
inline constexpr const char* kProfileClass = "ProfileClass";
inline constexpr const char* kFileName = "FileName";
inline constexpr const char* kProfileName = "ProfileName";
inline constexpr const char* kLocation = "Location";

// The six field dictionaries in the order they are required and read.
inline constexpr std::array<const char*, 6> kFieldKeys = {kIndexOnDevice, kInMenu,      kProfileClass,
                                                          kFileName,      kProfileName, kLocation};

// The file's root dictionary; null when the file has no path, can't be read, or is no property
// list with a dictionary at its root.
cf::DictionaryRef loadRoot();

// The item key of item n of a field dictionary ("%s%04d").
class ItemKey {
public:
    ItemKey(const char* field, int item);
    const char* c_str() const { return text_; }

private:
    char text_[32];
};

} // namespace tlco::profilefile
