// SPDX-License-Identifier: Apache-2.0
// The profile list record: one list of 500 profile items and the count of used ones, held whole
// by value. Laid out field by field as the profile list file and the printer's table describe it.
#pragma once

#include <algorithm>
#include <cstdint>

namespace tlco {

inline constexpr int kProfileListCapacity = 500;
inline constexpr int kProfileNameSize = 32;

// iInMenu state codes.
inline constexpr int32_t kStateEmpty = 0;
inline constexpr int32_t kStatePrinterUnconfirmed = 1;
inline constexpr int32_t kStatePrinterPresent = 2;
inline constexpr int32_t kStatePrinterUnconfirmedShown = 3;
inline constexpr int32_t kStatePrinterPresentShown = 4;
inline constexpr int32_t kStateUser = 5;
inline constexpr int32_t kStateUserShown = 6;

// iLocation codes.
inline constexpr int32_t kLocationDisk = 4;
inline constexpr int32_t kLocationCard = 5;

// List indexes.
inline constexpr int kListRGB = 0;
inline constexpr int kListSIM = 1;
inline constexpr int kListDST = 2;

struct ProfileItem {
    int32_t iIndexOnDevice;
    int32_t iInMenu;
    int32_t iProfileClass;
    char FileName[kProfileNameSize];
    char ProfileName[kProfileNameSize];
    int32_t iLocation;
    int32_t iDriver;
};

struct ProfileList {
    ProfileItem litem[kProfileListCapacity];
    int32_t iNum;
};

// The number of used items, iNum held to the list's capacity (a damaged count must not index past it).
inline int usedItemCount(const ProfileList& list)
{
    return std::clamp(list.iNum, 0, kProfileListCapacity);
}

inline bool isShownState(int32_t state)
{
    return state == kStatePrinterUnconfirmedShown || state == kStatePrinterPresentShown || state == kStateUserShown;
}

// A printer profile that the last walk of the printer's table found there.
inline bool isPresentOnPrinter(int32_t state)
{
    return state == kStatePrinterPresent || state == kStatePrinterPresentShown;
}

} // namespace tlco
