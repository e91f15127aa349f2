// SPDX-License-Identifier: Apache-2.0
// A window of the widget model as a dialog: Return presses its default button and Escape its cancel
// button, as the model's key equivalents say; the close box presses the window's own cancel button.
#pragma once

#include <QDialog>

namespace ui {
class Window;
}

namespace ui::qt {

class ModalDialog final : public QDialog {
public:
    ModalDialog(ui::Window& window, QWidget* parent);
    ui::Window& window() const { return window_; }
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    // Tab follows the reading order of the window's content.
    bool focusNextPrevChild(bool next) override;

private:
    // Escape looks into the window's boxes too; the close box only at the window's own buttons.
    void cancel(bool escape);

    ui::Window& window_;
};

} // namespace ui::qt
