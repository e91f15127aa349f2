// A view's control table: the records copied from the view's template, owning their choice lists.
#pragma once

#include "binding/ControlRecord.h"

#include <cstddef>
#include <memory>
#include <vector>

namespace tlco {

class ControlTable {
public:
    // A copy of count template records with every `choices` null; null when memory is short.
    static std::unique_ptr<ControlTable> create(const PDEControlRecord* templateRecords, size_t count);
    ~ControlTable();
    ControlTable(const ControlTable&) = delete;
    ControlTable& operator=(const ControlTable&) = delete;

    PDEControlRecord* data() { return records_.data(); }
    const PDEControlRecord* data() const { return records_.data(); }
    size_t count() const { return records_.size(); }

private:
    ControlTable() = default;
    std::vector<PDEControlRecord> records_;
};

// The compound control table: a shallow copy of several tables' records, then one end record.
using CompoundTable = std::unique_ptr<PDEControlRecord[]>;

// A debugging hook over a table's records; writes nothing in a normal run.
void _DEBUGControlTable(const PDEControlRecord* table);

} // namespace tlco
