// SPDX-License-Identifier: Apache-2.0
// A control's value as the panel stores it (a pop-up's selected position, a check box's state), the
// value the constraint rules compare, and the keywords a table's controls set.
#pragma once

#include "binding/ControlRecord.h"
#include "cf/Array.h"

#include <cstdint>

namespace tlco {

// The selected position of a pop-up (-1 when none is selected) or the state of a check box; 0 for
// a null record, any other type, or a record whose control is not of its type.
int32_t controlValue(const PDEControlRecord* record);
// Selects position `value` of a pop-up (a negative value selects nothing; a value past the last
// item changes nothing) or sets a check box's state. Does nothing for anything else.
void setControlValue(const PDEControlRecord* record, int32_t value);

// A pop-up's position as the constraint rules count it (from 1; no selection counts as 0), and back.
// Values of other records, and null records, pass unchanged.
int32_t toConstraintValue(const PDEControlRecord* record, int32_t value);
int32_t fromConstraintValue(const PDEControlRecord* record, int32_t value);

// Appends to `array` (borrowed) the keyword of every record with one, up to the end record.
// paramErr for a null array, or when a keyword is not ASCII (that one is skipped, the rest are
// appended); noErr otherwise, also for a null table.
int32_t appendKeywords(cf::Array* array, const PDEControlRecord* table);

} // namespace tlco
