// SPDX-License-Identifier: Apache-2.0
// What the main view and the advanced view share: a control table built from a template of
// records, and the requests of the view switching controller, each answered by handing that table
// with the PPD, ticket and session to the shared operations.
#pragma once

#include "binding/ControlTable.h"
#include "cf/Array.h"
#include "cf/Dictionary.h"
#include "print/PMCalls.h"
#include "ui/View.h"

#include <cups/ppd.h>

#include <memory>
#include <vector>

namespace tlco {

class OptionsView : public ui::View {
public:
    // The view protocol the controller relies on; each view may refine it.
    virtual void setPPDFile(ppd_file_t* file) { ppd = file; }
    virtual void setPMPrint(PMPrintSettings ticket, PMPrintSession printSession)
    {
        setting = ticket;
        session = printSession;
    }
    // Bounds at origin (0, 0) with the rectangle's size.
    virtual void setViewBounds(ui::Rect rect);

    virtual void createPDEControlTable();
    virtual void deallocPDEControlTable();
    virtual PDEControlRecord* getControlData() { return ctrlTable ? ctrlTable->data() : nullptr; }
    virtual int16_t getControlCount() const { return ctrlCount; }

    virtual void addPPDArray(cf::Array* array);
    virtual void createPDEItemForPPDKey();
    virtual void defaultFromPPDInfo();
    virtual void getControlValueFromTicket();
    virtual void setControlValueToTicket();
    virtual void getSummaryText(cf::Dictionary* dictionary, cf::Array* order);

protected:
    // The view's records, end record last, with `control` taken from the outlets as they are now.
    virtual std::vector<PDEControlRecord> controlTemplate() const = 0;
    // The keyword of every record before the end record, "" included.
    void appendEveryPPDKey(cf::Array* array) const;

    ppd_file_t* ppd = nullptr;
    std::unique_ptr<ControlTable> ctrlTable;
    int16_t ctrlCount = 0;
    PMPrintSettings setting = nullptr;
    PMPrintSession session = nullptr;
};

} // namespace tlco
