// SPDX-License-Identifier: Apache-2.0
// How a script's gestures reach the controls. Headless they are the model's user calls; a GUI
// backend delivers them as input to the rendered widgets, which end in the same user calls.
#pragma once

#include "Export.h"

#include <string_view>

namespace ui {

class Button;
class Object;
class PopUpButton;
class TabView;
class TableView;
class TextField;

class TL_EXPORT InputDriver {
public:
    virtual ~InputDriver() = default;
    virtual void selectItem(PopUpButton& popUp, int index);
    virtual void click(Button& button);
    virtual void selectTab(TabView& tabs, int index);
    virtual void type(TextField& field, std::string_view text);
    virtual void paste(TextField& field, std::string_view text);
    virtual void clear(TextField& field);
    // row -1: below the last row.
    virtual void clickRow(TableView& table, int row);
    virtual void clickTick(TableView& table, int row, std::string_view column);
};

} // namespace ui
