// SPDX-License-Identifier: Apache-2.0
// The profile list store's whole interface: the record and its name fields, the store, its mapping and
// its maintenance. Code outside this folder includes only this header.
#pragma once

#include "profiles/store/ProfileList.h"
#include "profiles/store/ProfileListLock.h"
#include "profiles/store/ProfileText.h"
#include "profiles/store/TLPListEdits.h"
#include "profiles/store/TLPListMaintenance.h"
#include "profiles/store/TLPListMapping.h"
#include "profiles/store/TLPListStore.h"
