// SPDX-License-Identifier: Apache-2.0
// The profile window's save, merged with what other dialogs saved meanwhile.
#include "profiles/store/TLPListEdits.h"

#include "base/PDELog.h"
#include "base/Status.h"
#include "profiles/store/ListEditMerge.h"
#include "profiles/store/ProfileListLock.h"
#include "profiles/store/ProfileListSave.h"
#include "profiles/store/TLPListStore.h"

#include <memory>

namespace tlco {
namespace {

using Lists = std::array<ProfileList, 3>;

std::unique_ptr<Lists> readAsTheWindowDid(bool direct)
{
    auto lists = std::make_unique<Lists>();
    auto read = direct ? TLPListReadProfile_Dict_Pap : TLPListReadProfile_Dict;
    for (int kind : {kListRGB, kListSIM, kListDST}) read(&(*lists)[static_cast<size_t>(kind)], kind);
    return lists;
}

} // namespace

int32_t TLPListWriteProfile_Edits(const ProfileListEdits& edits, std::string* reason)
{
    for (size_t i = 0; i < 3; ++i)
        if (!edits.base[i] || !edits.edited[i]) return kTLPListError;
    ProfileListLock lock;
    if (!lock.held()) {
        PDEWarn("%s", profileListSaveFailure(lock.reason()).c_str());
        if (reason) *reason = lock.reason();
        return kTLPListError;
    }
    auto lists = readAsTheWindowDid(edits.direct);
    for (size_t i = 0; i < 3; ++i) {
        ProfileList& current = (*lists)[i];
        if (sameListItems(current, *edits.base[i]))
            current = *edits.edited[i];
        else
            mergeListEdits(*edits.base[i], *edits.edited[i], current, current);
    }
    const bool saved = edits.direct
        ? savePrinterLists({&(*lists)[0], &(*lists)[1], &(*lists)[2]}, edits.deleted, reason)
        : saveProfileLists((*lists)[0], (*lists)[1], (*lists)[2], reason);
    return saved ? kTLPListOK : kTLPListError;
}

} // namespace tlco
