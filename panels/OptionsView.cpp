// SPDX-License-Identifier: Apache-2.0
// The operations both views answer alike, on their own table.
#include "panels/OptionsView.h"

#include "binding/PDECommon.h"

namespace tlco {

void OptionsView::setViewBounds(ui::Rect rect)
{
    setBounds(ui::Rect{{0, 0}, rect.size});
}

void OptionsView::createPDEControlTable()
{
    std::vector<PDEControlRecord> records = controlTemplate();
    ctrlCount = static_cast<int16_t>(records.size());
    ctrlTable = ControlTable::create(records.data(), records.size());
    if (ctrlTable) ctrlTable->loadChoices(ppd);
}

void OptionsView::deallocPDEControlTable()
{
    ctrlTable.reset();
}

void OptionsView::addPPDArray(cf::Array* array)
{
    PDECommon::commonAddPPDArray(array, getControlData());
}

void OptionsView::createPDEItemForPPDKey()
{
    if (ctrlTable) PDECommon::commonBuildPDEItem(ctrlTable->data(), ppd);
}

void OptionsView::defaultFromPPDInfo()
{
    PDECommon::commonDefaultFromPPDInfo(getControlData());
}

void OptionsView::getControlValueFromTicket()
{
    if (ctrlTable) PDECommon::commonSyncPaneFromTicket(setting, session, ctrlTable->data());
}

void OptionsView::setControlValueToTicket()
{
    if (ctrlTable) PDECommon::commonSyncTicketFromPane(setting, session, ctrlTable->data());
}

void OptionsView::getSummaryText(cf::Dictionary* dictionary, cf::Array* order)
{
    if (ctrlTable) PDECommon::commonGetSummaryText(ctrlTable->data(), dictionary, order);
}

void OptionsView::appendEveryPPDKey(cf::Array* array) const
{
    if (!array || !ctrlTable) return;
    for (const PDEControlRecord* record = ctrlTable->data(); record->control; ++record)
        array->append(cf::String::create(record->ppdKey));
}

} // namespace tlco
