// SPDX-License-Identifier: Apache-2.0
// A window of the widget model as a dialog: Return presses its default button, Escape and the
// close box its cancel button, as the model's key equivalents say.
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

private:
    ui::Window& window_;
};

} // namespace ui::qt
