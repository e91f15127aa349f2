// SPDX-License-Identifier: Apache-2.0
// A print session: the dialog's current printer, if there is one.
#pragma once

#include "Export.h"

#include "print/Printer.h"

#include <memory>

namespace pm {

class TL_EXPORT Session {
public:
    Session() = default;
    explicit Session(std::shared_ptr<Printer> printer) : current_(std::move(printer)) { }

    const std::shared_ptr<Printer>& currentPrinter() const { return current_; }
    void setCurrentPrinter(std::shared_ptr<Printer> printer) { current_ = std::move(printer); }

private:
    std::shared_ptr<Printer> current_;
};

} // namespace pm
