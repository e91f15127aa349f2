// SPDX-License-Identifier: Apache-2.0
// Gestures as the model's user calls.
#include "ui/InputDriver.h"

#include "ui/Button.h"
#include "ui/PopUpButton.h"
#include "ui/TabView.h"
#include "ui/TableView.h"
#include "ui/TextField.h"

namespace ui {

void InputDriver::selectItem(PopUpButton& popUp, int index)
{
    popUp.userSelectItem(index);
}
void InputDriver::click(Button& button)
{
    button.userClick();
}
void InputDriver::selectTab(TabView& tabs, int index)
{
    tabs.userSelectTab(index);
}
void InputDriver::type(TextField& field, std::string_view text)
{
    field.userType(text);
}
void InputDriver::paste(TextField& field, std::string_view text)
{
    field.userPaste(text);
}
void InputDriver::clear(TextField& field)
{
    field.userClear();
}
void InputDriver::clickRow(TableView& table, int row)
{
    table.userClickRow(row);
}
void InputDriver::clickTick(TableView& table, int row, std::string_view column)
{
    table.userClickTick(row, column);
}

} // namespace ui
