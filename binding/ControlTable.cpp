// SPDX-License-Identifier: Apache-2.0
// Control table lifetime.
#include "binding/ControlTable.h"

#include "binding/PpdChoices.h"

#include <new>

namespace tlco {

std::unique_ptr<ControlTable> ControlTable::create(const PDEControlRecord* templateRecords, size_t count)
{
    std::unique_ptr<ControlTable> table(new (std::nothrow) ControlTable());
    if (!table) return nullptr;
    try {
        table->records_.assign(templateRecords, templateRecords + count);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    for (auto& record : table->records_) record.choices = nullptr;
    return table;
}

void ControlTable::loadChoices(ppd_file_t* ppd)
{
    choiceLists_.clear();
    choiceLists_.resize(records_.size());
    for (size_t i = 0; i < records_.size() && records_[i].control; ++i) {
        PDEControlRecord& record = records_[i];
        record.choices = nullptr;
        if (!hasKeyword(record)) continue;
        readChoiceList(ppd, record.ppdKey, choiceLists_[i]);
        record.choices = choiceLists_[i].get();
    }
}

void _DEBUGControlTable(const PDEControlRecord* table)
{
    if (!table) return;
    for (const PDEControlRecord* record = table; record->type != kControlEnd; ++record) {
    }
}

} // namespace tlco
