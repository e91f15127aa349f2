// SPDX-License-Identifier: Apache-2.0
// The compound control table: the records of several views' tables in one array, for the
// constraint rules that span views.
#pragma once

#include "binding/ControlRecord.h"

#include <cstdint>
#include <memory>

namespace tlco {

// A shallow copy of several tables' records, then one end record. Records borrow the choice lists
// of the tables they were copied from, so the compound must not outlive them.
using CompoundTable = std::unique_ptr<PDEControlRecord[]>;

// The records of tables[0..count) (each up to its end record, null tables counting as empty) in
// order, then one end record. The caller owns the result; null when memory is short.
CompoundTable compoundControlTable(PDEControlRecord* const* tables, int32_t count);

} // namespace tlco
