// SPDX-License-Identifier: Apache-2.0
// The layout of the profile list file, shared by the store and its maintenance, and what loading
// a file of that layout finds.
#pragma once

#include "cf/Dictionary.h"
#include "profiles/store/StoredLists.h"

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

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
inline constexpr std::array<const char*, 6> kFieldKeys = {
    kIndexOnDevice, kInMenu, kProfileClass, kFileName, kProfileName, kLocation};

// What lies at a profile list path. The reading rules live here alone: values of types the layout
// does not use (dates, data, ...) are passed over wherever they are, so only a file that can't be
// read, is no property list, has no dictionary at its root, or lacks a class or field dictionary
// (or holds one of another type) is unusable.
struct Loaded {
    enum class State {
        Missing,    // nothing at the path, or an empty file
        Unreadable, // the bytes could not be had (not a regular file, too large, an I/O error)
        Damaged,    // the bytes are in hand but hold no complete profile list
        Complete,   // all three class dictionaries with their six field dictionaries
    };
    State state = State::Missing;
    std::shared_ptr<const StoredLists> lists; // when the bytes parse to a dictionary (Damaged or Complete)
    std::optional<std::string> bytes;         // when the bytes were read
    std::string reason;                       // why it is Unreadable or Damaged
};

// What lies at path; parsed again only when the file changed since the last load of it.
std::shared_ptr<const Loaded> load(const std::string& path);
// What the bytes read from a file hold (never Missing for bytes that are not empty).
std::shared_ptr<const Loaded> parse(std::string bytes);

// The profile list file's root dictionary; null when the file has no path, can't be read, or is no
// property list with a dictionary at its root.
cf::DictionaryRef loadRoot();

// The item key of item n of a field dictionary ("%s%04d").
class ItemKey {
public:
    ItemKey(const char* field, int item);
    const char* c_str() const { return text_; }
    std::string_view view() const { return {text_, length_}; }

private:
    char text_[32];
    size_t length_ = 0;
};

} // namespace tlco::profilefile
