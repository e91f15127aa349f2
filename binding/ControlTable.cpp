// Control table lifetime.
#include "binding/ControlTable.h"

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

ControlTable::~ControlTable()
{
    for (auto& record : records_) {
        if (!record.control) break;
        if (hasKeyword(record)) delete record.choices;
        record.choices = nullptr;
    }
}

void _DEBUGControlTable(const PDEControlRecord* table)
{
    if (!table) return;
    for (const PDEControlRecord* record = table; record->type != kControlEnd; ++record) {
    }
}

} // namespace tlco
