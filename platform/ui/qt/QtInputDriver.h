// SPDX-License-Identifier: Apache-2.0
// A script's gestures as real input (mouse clicks and key presses) to the rendered widgets. A
// control with no widget on screen gets the model's user call, as headless.
#pragma once

#include "ui/InputDriver.h"

class QWidget;

namespace ui::qt {

class Mirror;

class QtInputDriver final : public ui::InputDriver {
public:
    explicit QtInputDriver(Mirror& mirror) : mirror_(mirror) { }

    void selectItem(PopUpButton& popUp, int index) override;
    void click(Button& button) override;
    void selectTab(TabView& tabs, int index) override;
    void type(TextField& field, std::string_view text) override;
    void paste(TextField& field, std::string_view text) override;
    void clear(TextField& field) override;
    void clickRow(TableView& table, int row) override;
    void clickTick(TableView& table, int row, std::string_view column) override;

private:
    // The control's widget when a person could reach it now.
    QWidget* onScreen(ui::Object& control);
    // Gives the field the keyboard focus, as a person's Tab would; false when it cannot edit.
    bool focus(TextField& field, QWidget& edit);

    Mirror& mirror_;
};

} // namespace ui::qt
