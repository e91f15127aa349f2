// SPDX-License-Identifier: Apache-2.0
// Escape and the close box go through the model's cancel button.
#include "ui/qt/ModalDialog.h"

#include "ui/Application.h"
#include "ui/Button.h"
#include "ui/Window.h"
#include "ui/qt/KeyboardOrder.h"

#include <QCloseEvent>

namespace ui::qt {
namespace {

// The button Escape presses; with deep false only among the window's own buttons (not those of a
// box inside, which take Escape while a part of the window is being edited).
ui::Button* cancelButton(ui::View* view, bool deep)
{
    if (!view) return nullptr;
    for (ui::View* child : view->subviews()) {
        if (auto* button = dynamic_cast<ui::Button*>(child); button && button->keyEquivalent() == "\x1b") return button;
        if (ui::Button* found = deep ? cancelButton(child, true) : nullptr) return found;
    }
    return nullptr;
}

} // namespace

ModalDialog::ModalDialog(ui::Window& window, QWidget* parent) : QDialog(parent), window_(window)
{
    setWindowTitle(QString::fromStdString(window.title()));
}

void ModalDialog::reject()
{
    cancel(true);
}

void ModalDialog::closeEvent(QCloseEvent* event)
{
    // The close box closes the window, whatever part of it is being edited.
    event->ignore();
    cancel(false);
}

void ModalDialog::cancel(bool escape)
{
    if (ui::Button* button = cancelButton(window_.contentView(), escape); button && button->isEnabled()) {
        button->userClick();
        return;
    }
    // No cancel button to press: the window goes as the model's Cancel would take it.
    if (ui::Application::shared().modalWindow() == &window_) ui::Application::shared().stopModal();
    window_.close();
}

bool ModalDialog::focusNextPrevChild(bool next)
{
    QWidget* to = nextInOrder(keyboardOrder(*this), focusWidget(), next);
    if (!to) return QDialog::focusNextPrevChild(next);
    to->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

} // namespace ui::qt
