// SPDX-License-Identifier: Apache-2.0
// A line edit whose every keystroke, paste and deletion goes through the text field's field editor
// and editing hooks; what it shows (text and caret) is always the model's.
#pragma once

#include <QLineEdit>

namespace ui {
class TextField;
}

namespace ui::qt {

class FieldEdit final : public QLineEdit {
public:
    explicit FieldEdit(ui::TextField& field, QWidget* parent = nullptr);

    // Shows the model's text, and while editing its insertion point or selection.
    void refresh();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    // The field editor follows the caret the person sees.
    void selectionToModel();
    bool editKey(QKeyEvent* event);
    static bool movesCaret(QKeyEvent* event);

    ui::TextField& field_;
};

} // namespace ui::qt
