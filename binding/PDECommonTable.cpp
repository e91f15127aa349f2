// Control-table operations: joining the views' tables, listing keywords, and a control's value.
#include "binding/PDECommon.h"

#include "base/Status.h"
#include "ui/Button.h"
#include "ui/PopUpButton.h"

#include <cstdint>
#include <new>

namespace tlco {
namespace {

ui::PopUpButton* popUpOf(const PDEControlRecord* record)
{
    if (!record || record->type != kControlPopUp) return nullptr;
    return dynamic_cast<ui::PopUpButton*>(record->control);
}

ui::Button* checkBoxOf(const PDEControlRecord* record)
{
    if (!record || record->type != kControlCheckBox) return nullptr;
    return dynamic_cast<ui::Button*>(record->control);
}

size_t countBeforeEnd(const PDEControlRecord* table)
{
    size_t count = 0;
    if (table)
        while (table[count].type != kControlEnd) ++count;
    return count;
}

} // namespace

CompoundTable PDECommon::commonControlTableCompound(PDEControlRecord* const* tables, int32_t count)
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

int32_t PDECommon::commonAddPPDArray(cf::Array* array, const PDEControlRecord* table)
{
    if (!array) return paramErr;
    int32_t status = noErr;
    for (const PDEControlRecord* record = table; record && record->control; ++record) {
        if (!hasKeyword(*record)) continue;
        auto keyword = cf::String::createWithCString(record->ppdKey, cf::kCFStringEncodingASCII);
        if (!keyword) {
            status = paramErr;
            continue;
        }
        array->append(keyword);
    }
    return status;
}

int32_t PDECommon::commonGetControlValueWithSInt32(const PDEControlRecord* record)
{
    if (auto* popUp = popUpOf(record)) return popUp->indexOfSelectedItem();
    if (auto* checkBox = checkBoxOf(record)) return checkBox->state();
    return 0;
}

void PDECommon::commonSetControlValueWithSInt32(const PDEControlRecord* record, int32_t value)
{
    if (auto* popUp = popUpOf(record)) {
        if (value < 0)
            popUp->selectItemAtIndex(-1);
        else if (value < popUp->numberOfItems())
            popUp->selectItemAtIndex(value);
        return;
    }
    if (auto* checkBox = checkBoxOf(record)) checkBox->setState(value);
}

int32_t PDECommon::commonConvertToCSTValue(const PDEControlRecord* record, int32_t value)
{
    if (!record || record->type != kControlPopUp) return value;
    if (value < 0) return 0;
    return value == INT32_MAX ? value : value + 1;
}

int32_t PDECommon::commonConvertFromCSTValue(const PDEControlRecord* record, int32_t value)
{
    if (!record || record->type != kControlPopUp) return value;
    return value < 1 ? 0 : value - 1;
}

} // namespace tlco
