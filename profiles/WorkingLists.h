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
    // The lists as they were read, so that OK writes only the window's own changes.
    ProfileList rgbRead{};
    ProfileList simRead{};
    ProfileList dstRead{};

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
        for (ProfileList* list :
            {&rgb, &sim, &dst, &rgbDeleted, &simDeleted, &dstDeleted, &rgbRead, &simRead, &dstRead})
            std::memset(static_cast<void*>(list), 0, sizeof(ProfileList));
    }
    // After reading: the edited lists as read.
    void keepAsRead()
    {
        rgbRead = rgb;
        simRead = sim;
        dstRead = dst;
    }
    // What OK writes; direct for a printer whose profiles cannot be fetched.
    ProfileListEdits edits(bool direct) const
    {
        ProfileListEdits edits;
        edits.base = {&rgbRead, &simRead, &dstRead};
        edits.edited = {&rgb, &sim, &dst};
        if (direct) edits.deleted = {&rgbDeleted, &simDeleted, &dstDeleted};
        edits.direct = direct;
        return edits;
    }
};

} // namespace tlco
