// The profile list store's whole interface: the store, its mapping and its maintenance.
#pragma once

#include "profiles/TLPListMaintenance.h"
#include "profiles/TLPListMapping.h"
#include "profiles/TLPListStore.h"
