// SPDX-License-Identifier: Apache-2.0
// Keystrokes into text-field user calls.
#include "ui/qt/FieldEdit.h"

#include "ui/TextField.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>

namespace ui::qt {

FieldEdit::FieldEdit(ui::TextField& field, QWidget* parent) : QLineEdit(parent), field_(field)
{
    // Drops and the context menu would change the text behind the field editor's back.
    setContextMenuPolicy(Qt::NoContextMenu);
    setDragEnabled(false);
    setAcceptDrops(false);
    refresh();
}

void FieldEdit::refresh()
{
    const QString model = QString::fromStdString(field_.stringValue());
    if (text() != model) setText(model);
    setReadOnly(!field_.isEditable());
    if (!field_.isEditing()) return;
    ui::TextRange range = field_.currentEditor().selectedRange();
    if (range.length > 0)
        setSelection(static_cast<int>(range.location), static_cast<int>(range.length));
    else
        setCursorPosition(static_cast<int>(range.location));
}

void FieldEdit::selectionToModel()
{
    if (!field_.isEditing()) return;
    if (hasSelectedText())
        field_.userSelect({static_cast<size_t>(selectionStart()), static_cast<size_t>(selectedText().size())});
    else
        field_.userSelect({static_cast<size_t>(cursorPosition()), 0});
}

bool FieldEdit::movesCaret(QKeyEvent* event)
{
    using K = QKeySequence;
    for (K::StandardKey key : {K::MoveToNextChar, K::MoveToPreviousChar, K::MoveToNextWord, K::MoveToPreviousWord,
             K::MoveToStartOfLine, K::MoveToEndOfLine, K::MoveToStartOfDocument, K::MoveToEndOfDocument,
             K::SelectNextChar, K::SelectPreviousChar, K::SelectNextWord, K::SelectPreviousWord, K::SelectStartOfLine,
             K::SelectEndOfLine, K::SelectStartOfDocument, K::SelectEndOfDocument, K::SelectAll, K::Copy})
        if (event->matches(key)) return true;
    return false;
}

bool FieldEdit::editKey(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Paste)) {
        field_.userPaste(QGuiApplication::clipboard()->text().toStdString());
        return true;
    }
    if (event->matches(QKeySequence::Cut)) {
        if (hasSelectedText()) {
            QGuiApplication::clipboard()->setText(selectedText());
            field_.userDelete(false);
        }
        return true;
    }
    switch (event->key()) {
    case Qt::Key_Backspace:
        field_.userDelete(false);
        return true;
    case Qt::Key_Delete:
        field_.userDelete(true);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return false;
    default:
        break;
    }
    const bool command = event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier | Qt::AltModifier);
    if (event->text().isEmpty() || command) return false;
    field_.userType(event->text().toStdString());
    return true;
}

void FieldEdit::keyPressEvent(QKeyEvent* event)
{
    selectionToModel();
    if (movesCaret(event)) {
        QLineEdit::keyPressEvent(event);
        selectionToModel();
        return;
    }
    if (isReadOnly() || !editKey(event)) {
        event->ignore(); // Return, Escape and Tab belong to the window
        return;
    }
    refresh();
}

void FieldEdit::inputMethodEvent(QInputMethodEvent* event)
{
    // Composed text (an input method) arrives as typing once committed.
    if (!event->commitString().isEmpty() && !isReadOnly()) {
        selectionToModel();
        field_.userType(event->commitString().toStdString());
        refresh();
    }
    event->accept();
}

void FieldEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    if (field_.userFocus()) refresh();
}

void FieldEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    field_.endEditing();
}

void FieldEdit::mouseReleaseEvent(QMouseEvent* event)
{
    QLineEdit::mouseReleaseEvent(event);
    selectionToModel();
}

void FieldEdit::mouseMoveEvent(QMouseEvent* event)
{
    QLineEdit::mouseMoveEvent(event);
    selectionToModel();
}

void FieldEdit::mouseDoubleClickEvent(QMouseEvent* event)
{
    QLineEdit::mouseDoubleClickEvent(event);
    selectionToModel();
}

} // namespace ui::qt
