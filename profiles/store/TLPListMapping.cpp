// SPDX-License-Identifier: Apache-2.0
// The merge that keeps the file's printer profiles, and the file's raw dictionaries.
#include "profiles/store/TLPListMapping.h"

#include "base/Status.h"
#include "cf/Number.h"
#include "profiles/store/ProfileListFile.h"
#include "profiles/store/ProfileText.h"
#include "profiles/store/TLPListStore.h"

#include <memory>
#include <utility>

namespace tlco {
namespace {

// Three records allocated together, zeroed.
struct ListSet {
    ProfileList lists[3];
};

const ProfileList& orEmpty(const ProfileList* list)
{
    static const ProfileList empty{};
    return list ? *list : empty;
}

bool sameProfile(const ProfileItem& a, const ProfileItem& b)
{
    return a.iLocation == b.iLocation && fieldText(a.FileName) == fieldText(b.FileName);
}

bool containsProfile(const ProfileList& list, const ProfileItem& item)
{
    int count = usedItemCount(list);
    for (int i = 0; i < count; ++i)
        if (sameProfile(list.litem[i], item)) return true;
    return false;
}

} // namespace

int32_t TLPListMappingProfile_All_Pap(const ProfileList* rgb, const ProfileList* sim, const ProfileList* dst,
    ProfileList* rgbOut, ProfileList* simOut, ProfileList* dstOut, const ProfileList* rgbDeleted,
    const ProfileList* simDeleted, const ProfileList* dstDeleted)
{
    auto read = std::make_unique<ListSet>();
    TLPListReadProfile_All(&read->lists[kListRGB], &read->lists[kListSIM], &read->lists[kListDST]);
    TLPListMapping_Pap(rgb, &read->lists[kListRGB], rgbOut, rgbDeleted);
    TLPListMapping_Pap(sim, &read->lists[kListSIM], simOut, simDeleted);
    TLPListMapping_Pap(dst, &read->lists[kListDST], dstOut, dstDeleted);
    return kTLPListOK;
}

void TLPListMapping_Pap(
    const ProfileList* edited, const ProfileList* fromFile, ProfileList* out, const ProfileList* deleted)
{
    if (!out) return;
    const ProfileList& e = orEmpty(edited);
    const ProfileList& f = orEmpty(fromFile);
    const ProfileList& d = orEmpty(deleted);
    // Built apart: out may be one of the inputs.
    auto merged = std::make_unique<ProfileList>();
    int n = 0;
    int fileCount = usedItemCount(f);
    for (int i = 0; i < fileCount && n < kProfileListCapacity; ++i) {
        const ProfileItem& item = f.litem[i];
        if (isPresentOnPrinter(item.iInMenu) && !containsProfile(e, item) && !containsProfile(d, item))
            merged->litem[n++] = item;
    }
    int editedCount = usedItemCount(e);
    for (int i = 0; i < editedCount && n < kProfileListCapacity; ++i) merged->litem[n++] = e.litem[i];
    merged->iNum = n;
    *out = *merged;
}

int32_t TLPListMappingGetMainDict_FromPlist(cf::DictionaryRef* rgb, cf::DictionaryRef* sim, cf::DictionaryRef* dst)
{
    cf::DictionaryRef root = profilefile::loadRoot();
    if (!root) return kTLPListError;
    cf::DictionaryRef* outs[3] = {rgb, sim, dst};
    for (size_t i = 0; i < 3; ++i) {
        auto classDictionary = root->getDictionary(profilefile::kClassKeys[i]);
        if (!classDictionary) return kTLPListError;
        // The parsed tree belongs to this call alone, so its parts can be handed out as they are.
        if (outs[i]) *outs[i] = std::move(classDictionary);
    }
    return kTLPListOK;
}

int32_t TLPListMappingGetSubDict(const cf::DictionaryRef& classDictionary, cf::DictionaryRef* indexOnDevice,
    cf::DictionaryRef* inMenu, cf::DictionaryRef* profileClass, cf::DictionaryRef* location,
    cf::DictionaryRef* fileName, cf::DictionaryRef* profileName, int32_t* count)
{
    if (!classDictionary) return kTLPListError;
    const std::pair<const char*, cf::DictionaryRef*> fields[] = {
        {profilefile::kIndexOnDevice, indexOnDevice},
        {profilefile::kInMenu, inMenu},
        {profilefile::kProfileClass, profileClass},
        {profilefile::kFileName, fileName},
        {profilefile::kProfileName, profileName},
        {profilefile::kLocation, location},
    };
    for (const auto& [key, out] : fields) {
        auto field = classDictionary->getDictionary(key);
        if (!field) return kTLPListError;
        if (out) *out = std::move(field);
    }
    auto number = cf::as<cf::Number>(classDictionary->get(profilefile::kCountKey));
    if (number && !number->isReal() && count) *count = number->int32Value();
    return kTLPListOK;
}

} // namespace tlco
