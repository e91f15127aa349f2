// SPDX-License-Identifier: Apache-2.0
// Anchors the protocol classes' type information in the platform library.
#include "pde/Protocol.h"

namespace pde {

Callback::~Callback() = default;

} // namespace pde
