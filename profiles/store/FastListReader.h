// SPDX-License-Identifier: Apache-2.0
// A reader made for the profile list file: streams the XML straight into the stored lists, in any
// encoding libxml2 knows. It takes only well-formed XML of the values the layout uses; for anything
// else (a binary property list, unusual values or layout) it gives nothing and the caller falls back.
#pragma once

#include "profiles/store/StoredLists.h"

#include <memory>
#include <string_view>

namespace tlco {

std::unique_ptr<StoredLists> readListsFast(std::string_view bytes);

} // namespace tlco
