// SPDX-License-Identifier: Apache-2.0
// A script's choice in one of the dialog's panes delivered as a person's input to the pane's widget:
// arrow keys on a pop-up, a click on a switch, typing into a field and leaving it with Tab.
#pragma once

#include "host/PaneOption.h"

#include <string>

class QWidget;

namespace host {

class PaneInput {
public:
    // Gives value (in the option's own terms) to field, the widget PaneForm made for option; false
    // when the widget cannot take it (a choice it greys or does not list).
    static bool deliver(QWidget& field, const PaneOption& option, const std::string& value);
};

} // namespace host
