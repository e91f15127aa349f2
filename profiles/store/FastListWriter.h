// SPDX-License-Identifier: Apache-2.0
// Writes the three lists as the profile list file's XML directly, byte for byte as the general
// property-list writer would (keys in order, tabs, the same escapes), without building a tree.
#pragma once

#include "profiles/store/ProfileList.h"
#include "profiles/store/StoredLists.h"

#include <string>

namespace tlco {

std::string writeListsXml(const ProfileList& rgb, const ProfileList& sim, const ProfileList& dst);
// What reading those bytes back gives, without reading them.
StoredLists storedListsOf(const ProfileList& rgb, const ProfileList& sim, const ProfileList& dst);

} // namespace tlco
