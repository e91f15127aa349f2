// SPDX-License-Identifier: Apache-2.0
// Joining the views' control tables.
#include "binding/CompoundTable.h"

#include <new>

namespace tlco {
namespace {

size_t countBeforeEnd(const PDEControlRecord* table)
{
    size_t count = 0;
    if (table)
        while (table[count].type != kControlEnd) ++count;
    return count;
}

} // namespace

CompoundTable compoundControlTable(PDEControlRecord* const* tables, int32_t count)
{
    size_t total = 0;
    for (int32_t i = 0; tables && i < count; ++i) total += countBeforeEnd(tables[i]);

    // Value-initialised: every record not copied into starts zero-filled.
    CompoundTable compound(new (std::nothrow) PDEControlRecord[total + 1]());
    if (!compound) return nullptr;

    size_t next = 0;
    for (int32_t i = 0; tables && i < count; ++i) {
        size_t n = countBeforeEnd(tables[i]);
        for (size_t j = 0; j < n; ++j) compound[next++] = tables[i][j];
    }
    compound[next] = kEndRecord;
    return compound;
}

} // namespace tlco
