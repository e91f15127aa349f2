// SPDX-License-Identifier: Apache-2.0
// The option constraint rules and their application to a control table.
#pragma once

#include "binding/ControlRecord.h"

#include <cstdint>

namespace tlco {

// Applies every rule in order to the table; a null table does nothing.
void vColorPresetConstraints(PDEControlRecord* table);
uint8_t bMatchCondition(int rule, PDEControlRecord* table);
void vValueChange(int rule, PDEControlRecord* table);
void vActOption(int rule, PDEControlRecord* table);
void vActReverseOption(int rule, PDEControlRecord* table);

} // namespace tlco
