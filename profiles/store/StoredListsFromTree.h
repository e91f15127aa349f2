// SPDX-License-Identifier: Apache-2.0
// The general way to the stored lists: from a parsed property-list tree of any shape.
#pragma once

#include "cf/Dictionary.h"
#include "profiles/store/StoredLists.h"

#include <memory>

namespace tlco {

std::unique_ptr<StoredLists> storedListsFromTree(const cf::Dictionary& root);

} // namespace tlco
