// SPDX-License-Identifier: Apache-2.0
// The profile window's working copies: the three profile lists as edited, and what was deleted from
// each, until OK writes them or Cancel drops them.
#pragma once

#include "profiles/store/TLPList.h"

#include <cstring>

namespace tlco {

struct WorkingLists {
    ProfileList rgb{};
    ProfileList sim{};
    ProfileList dst{};
    ProfileList rgbDeleted{};
    ProfileList simDeleted{};
    ProfileList dstDeleted{};

    // The list of kind kListRGB, kListSIM or kListDST; null for another value.
    ProfileList* edited(int kind)
    {
        switch (kind) {
        case kListRGB:
            return &rgb;
        case kListSIM:
            return &sim;
        case kListDST:
            return &dst;
        default:
            return nullptr;
        }
    }
    ProfileList* deleted(int kind)
    {
        switch (kind) {
        case kListRGB:
            return &rgbDeleted;
        case kListSIM:
            return &simDeleted;
        case kListDST:
            return &dstDeleted;
        default:
            return nullptr;
        }
    }
    // Every list empty, bytes and all (the lists are written to disk as they are).
    void clear()
    {
        for (ProfileList* list : {&rgb, &sim, &dst, &rgbDeleted, &simDeleted, &dstDeleted})
            std::memset(static_cast<void*>(list), 0, sizeof(ProfileList));
    }
};

} // namespace tlco
