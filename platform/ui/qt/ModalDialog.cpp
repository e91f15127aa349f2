// SPDX-License-Identifier: Apache-2.0
// Escape and the close box go through the model's cancel button.
#include "ui/qt/ModalDialog.h"

#include "ui/Application.h"
#include "ui/Button.h"
#include "ui/Window.h"

namespace ui::qt {
namespace {

ui::Button* cancelButton(ui::View* view)
{
    if (!view) return nullptr;
    if (auto* button = dynamic_cast<ui::Button*>(view); button && button->keyEquivalent() == "\x1b") return button;
    for (ui::View* child : view->subviews())
        if (ui::Button* found = cancelButton(child)) return found;
    return nullptr;
}

} // namespace

ModalDialog::ModalDialog(ui::Window& window, QWidget* parent) : QDialog(parent), window_(window)
{
    setWindowTitle(QString::fromStdString(window.title()));
}

void ModalDialog::reject()
{
    if (ui::Button* cancel = cancelButton(window_.contentView()); cancel && cancel->isEnabled()) {
        cancel->userClick();
        return;
    }
    // No cancel button to press: the window goes as the model's Cancel would take it.
    if (ui::Application::shared().modalWindow() == &window_) ui::Application::shared().stopModal();
    window_.close();
}

} // namespace ui::qt
