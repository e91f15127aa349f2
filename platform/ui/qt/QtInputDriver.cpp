// SPDX-License-Identifier: Apache-2.0
// Gestures through QTest.
#include "ui/qt/QtInputDriver.h"

#include "cf/Utf8.h"
#include "ui/Button.h"
#include "ui/PopUpButton.h"
#include "ui/TabView.h"
#include "ui/TableView.h"
#include "ui/TextField.h"
#include "ui/qt/Mirror.h"
#include "ui/qt/TableWidget.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

namespace ui::qt {

QWidget* QtInputDriver::onScreen(ui::Object& control)
{
    mirror_.flush();
    QWidget* widget = mirror_.find(&control);
    return widget && widget->isVisible() ? widget : nullptr;
}

void QtInputDriver::selectItem(PopUpButton& popUp, int index)
{
    auto* combo = qobject_cast<QComboBox*>(onScreen(popUp));
    if (!combo || !combo->isEnabled()) return InputDriver::selectItem(popUp, index);
    // Open the menu, move to the item and press Return, as a person picking with the keyboard.
    combo->showPopup();
    QAbstractItemView* list = combo->view();
    list->setCurrentIndex(combo->model()->index(index, 0));
    QTest::keyClick(list, Qt::Key_Return);
    if (list->isVisible()) combo->hidePopup();
    mirror_.flush();
}

void QtInputDriver::click(Button& button)
{
    QWidget* widget = onScreen(button);
    if (!widget) return InputDriver::click(button);
    QPoint at = widget->rect().center();
    if (auto* box = qobject_cast<QCheckBox*>(widget)) {
        // A check box answers only on its box and its title, not on the rest of its frame.
        QStyleOptionButton option;
        option.initFrom(box);
        option.text = box->text();
        at = box->style()->subElementRect(QStyle::SE_CheckBoxClickRect, &option, box).center();
    }
    QTest::mouseClick(widget, Qt::LeftButton, {}, at);
    mirror_.flush();
}

void QtInputDriver::selectTab(TabView& tabs, int index)
{
    auto* widget = qobject_cast<QTabWidget*>(onScreen(tabs));
    if (!widget) return InputDriver::selectTab(tabs, index);
    QTabBar* bar = widget->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
    mirror_.flush();
}

bool QtInputDriver::focus(TextField& field, QWidget& edit)
{
    if (edit.hasFocus() && field.isEditing()) return true;
    QApplication::setActiveWindow(edit.window());
    edit.setFocus(Qt::TabFocusReason);
    mirror_.flush();
    // Offscreen windows may not take the focus; the field is entered as the focus would enter it.
    if (!field.isEditing()) field.userFocus();
    return field.isEditing();
}

void QtInputDriver::type(TextField& field, std::string_view text)
{
    QWidget* edit = onScreen(field);
    if (!edit || !focus(field, *edit)) return InputDriver::type(field, text);
    // One key press per character, as the model's typing counts them.
    const std::string valid = cf::utf8::repaired(text);
    for (size_t offset = 0; offset < valid.size();) {
        const size_t width = cf::utf8::widthAt(valid, offset);
        QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown,
            QString::fromUtf8(valid.data() + offset, static_cast<qsizetype>(width)), Qt::NoModifier);
        offset += width;
    }
    mirror_.flush();
}

void QtInputDriver::paste(TextField& field, std::string_view text)
{
    QWidget* edit = onScreen(field);
    if (!edit || !focus(field, *edit)) return InputDriver::paste(field, text);
    const std::string valid = cf::utf8::repaired(text);
    QApplication::clipboard()->setText(QString::fromUtf8(valid.data(), static_cast<qsizetype>(valid.size())));
    QTest::keySequence(edit, QKeySequence::Paste);
    mirror_.flush();
}

void QtInputDriver::clear(TextField& field)
{
    QWidget* edit = onScreen(field);
    // An empty field has nothing to select and delete; the model's clear still reports its change.
    if (!edit || field.stringValue().empty() || !focus(field, *edit)) return InputDriver::clear(field);
    QTest::keySequence(edit, QKeySequence::SelectAll);
    QTest::keyClick(edit, Qt::Key_Delete);
    mirror_.flush();
}

void QtInputDriver::clickRow(TableView& table, int row)
{
    auto* widget = dynamic_cast<TableWidget*>(onScreen(table));
    std::optional<QPoint> at = widget ? widget->clickPoint(row, widget->columnOf("filename")) : std::nullopt;
    if (!at) return InputDriver::clickRow(table, row);
    QTest::mouseClick(widget->viewport(), Qt::LeftButton, {}, *at);
    mirror_.flush();
}

void QtInputDriver::clickTick(TableView& table, int row, std::string_view column)
{
    auto* widget = dynamic_cast<TableWidget*>(onScreen(table));
    std::optional<QPoint> at = widget ? widget->clickPoint(row, widget->columnOf(column)) : std::nullopt;
    if (!at || widget->columnOf(column) < 0) return InputDriver::clickTick(table, row, column);
    QTest::mouseClick(widget->viewport(), Qt::LeftButton, {}, *at);
    mirror_.flush();
}

} // namespace ui::qt
