// SPDX-License-Identifier: Apache-2.0
// The keys of a profile pop-up's chosen entry in the model dictionary.
#include "binding/ProfileChoiceKeys.h"

#include "base/Status.h"
#include "cf/String.h"

namespace tlco {
namespace {

std::string keyWithSuffix(const PDEControlRecord* record, const char* suffix)
{
    return std::string(record->ppdKey ? record->ppdKey : "") + suffix;
}

} // namespace

bool isProfilePopUp(const PDEControlRecord* record)
{
    return record && record->profileKind >= kProfileKindRGB && record->profileKind <= kProfileKindSimulation;
}

std::string profileFlagKey(const PDEControlRecord* record)
{
    return keyWithSuffix(record, "Custom");
}

std::string profileFileNameKey(const PDEControlRecord* record)
{
    return keyWithSuffix(record, "CustomFilename");
}

int32_t setProfileChosenFlag(const PDEControlRecord* record, cf::Dictionary* dictionary, const char* flag)
{
    if (!isProfilePopUp(record) || !dictionary || !flag) return noErr;
    dictionary->set(profileFlagKey(record), cf::String::create(flag));
    return noErr;
}

cf::Ref profileChosenFlag(const PDEControlRecord* record, const cf::Dictionary* dictionary)
{
    if (!isProfilePopUp(record) || !dictionary) return nullptr;
    return dictionary->get(profileFlagKey(record));
}

} // namespace tlco
