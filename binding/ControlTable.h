// SPDX-License-Identifier: Apache-2.0
// A view's control table: the records copied from the view's template, and the choice lists they borrow.
#pragma once

#include "binding/ControlRecord.h"

#include <cups/ppd.h>

#include <cstddef>
#include <memory>
#include <vector>

namespace tlco {

class ControlTable {
public:
    // A copy of count template records with every `choices` null; null when memory is short.
    static std::unique_ptr<ControlTable> create(const PDEControlRecord* templateRecords, size_t count);
    ControlTable(const ControlTable&) = delete;
    ControlTable& operator=(const ControlTable&) = delete;

    PDEControlRecord* data() { return records_.data(); }
    const PDEControlRecord* data() const { return records_.data(); }
    size_t count() const { return records_.size(); }

    // Reads the PPD choices of every record with a keyword, up to the end record. The table owns the
    // lists and each record's `choices` points at its own (null where the PPD has no such option or the
    // list could not be made whole); lists read before are freed.
    void loadChoices(ppd_file_t* ppd);

private:
    ControlTable() = default;
    std::vector<PDEControlRecord> records_;
    std::vector<std::unique_ptr<ChoiceList>> choiceLists_; // one per record, null for most
};

// A debugging hook over a table's records; writes nothing in a normal run.
void _DEBUGControlTable(const PDEControlRecord* table);

} // namespace tlco
