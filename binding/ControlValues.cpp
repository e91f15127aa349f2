// SPDX-License-Identifier: Apache-2.0
// Reading and setting a control's value through its record.
#include "binding/ControlValues.h"

#include "base/Status.h"
#include "cf/String.h"
#include "ui/Button.h"
#include "ui/PopUpButton.h"

#include <cstdint>

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

} // namespace

int32_t controlValue(const PDEControlRecord* record)
{
    if (auto* popUp = popUpOf(record)) return popUp->indexOfSelectedItem();
    if (auto* checkBox = checkBoxOf(record)) return checkBox->state();
    return 0;
}

void setControlValue(const PDEControlRecord* record, int32_t value)
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

int32_t toConstraintValue(const PDEControlRecord* record, int32_t value)
{
    if (!record || record->type != kControlPopUp) return value;
    if (value < 0) return 0;
    return value == INT32_MAX ? value : value + 1;
}

int32_t fromConstraintValue(const PDEControlRecord* record, int32_t value)
{
    if (!record || record->type != kControlPopUp) return value;
    return value < 1 ? 0 : value - 1;
}

int32_t appendKeywords(cf::Array* array, const PDEControlRecord* table)
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

} // namespace tlco
