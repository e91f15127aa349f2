// SPDX-License-Identifier: Apache-2.0
// The three profile lists as the profile list file holds them, before they are laid over a caller's
// records: a field missing from the file (or of another type) leaves the caller's value, so each
// value carries whether the file had it.
#pragma once

#include "profiles/store/ProfileList.h"

#include <array>
#include <cstdint>

namespace tlco {

// Fields of an item in the order of the file's field dictionaries.
enum StoredField {
    kFieldIndexOnDevice,
    kFieldInMenu,
    kFieldProfileClass,
    kFieldFileName,
    kFieldProfileName,
    kFieldLocation
};

// The bits of StoredItem::present when the file holds every field.
inline constexpr uint8_t kAllFields = (1u << 6) - 1;

struct StoredItem {
    uint8_t present = 0; // bit (1 << StoredField) per field the file holds
    int32_t indexOnDevice = 0;
    int32_t inMenu = 0;
    int32_t profileClass = 0;
    int32_t location = 0;
    char fileName[kProfileNameSize] = {};
    char profileName[kProfileNameSize] = {};

    bool has(StoredField field) const { return (present & (1u << field)) != 0; }
    bool operator==(const StoredItem&) const = default;
};

struct StoredList {
    bool complete = false; // the class dictionary with all six field dictionaries
    // The list holds more than a list keeps (an item numbered 500 or above, or a larger count): what
    // lies beyond is not read, so the file must be kept aside before it is replaced.
    bool overfull = false;
    bool hasCount = false;
    int32_t count = 0;
    std::array<StoredItem, kProfileListCapacity> items{};

    bool operator==(const StoredList&) const = default;
};

struct StoredLists {
    std::array<StoredList, 3> lists{}; // by list index

    bool overfull() const { return lists[0].overfull || lists[1].overfull || lists[2].overfull; }
    bool operator==(const StoredLists&) const = default;
};

} // namespace tlco
