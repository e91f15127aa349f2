// SPDX-License-Identifier: Apache-2.0
// Keys and clicks on the panes' widgets, through QTest as the panel's gestures are.
#include "host/gui/PaneInput.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>

namespace host {
namespace {

// Arrow keys on the closed pop-up until the item holding data shows (the keyboard passes over
// greyed items, as it does for a person).
bool pick(QComboBox& box, const QString& data)
{
    const int target = box.findData(data);
    if (target < 0) return false;
    for (int step = 0; step < box.count() && box.currentIndex() != target; ++step)
        QTest::keyClick(&box, box.currentIndex() < target ? Qt::Key_Down : Qt::Key_Up);
    return box.currentIndex() == target;
}

// Selects the field's text, types over it and leaves the field with Tab, which ends the editing.
void typeInto(QWidget& field, const QString& text)
{
    QApplication::setActiveWindow(field.window());
    field.setFocus(Qt::TabFocusReason);
    QTest::keyClick(&field, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty())
        QTest::keyClick(&field, Qt::Key_Delete);
    else
        QTest::keyClicks(&field, text);
    QTest::keyClick(&field, Qt::Key_Tab);
}

// A check box answers only on its box and its title, not on the rest of its row.
void clickBox(QCheckBox& box)
{
    QStyleOptionButton option;
    option.initFrom(&box);
    option.text = box.text();
    QTest::mouseClick(
        &box, Qt::LeftButton, {}, box.style()->subElementRect(QStyle::SE_CheckBoxClickRect, &option, &box).center());
}

bool holdUntil(QWidget& field, const QString& value)
{
    auto* box = field.findChild<QComboBox*>();
    auto* time = field.findChild<QLineEdit*>();
    if (!box || !time) return false;
    // A keyword of the pop-up, or a time typed beside "At a Time" (the item holding no keyword).
    if (box->findData(value) >= 0) return pick(*box, value);
    if (!pick(*box, QString())) return false;
    typeInto(*time, value);
    return true;
}

} // namespace

bool PaneInput::deliver(QWidget& field, const PaneOption& option, const std::string& value)
{
    const QString text = QString::fromStdString(value);
    if (auto* check = qobject_cast<QCheckBox*>(&field)) {
        if (check->isChecked() != (value == "true")) clickBox(*check);
        return true;
    }
    if (auto* box = qobject_cast<QComboBox*>(&field)) return pick(*box, text);
    if (option.name == "job-hold-until") return holdUntil(field, text);
    if (qobject_cast<QSpinBox*>(&field) || qobject_cast<QLineEdit*>(&field)) {
        typeInto(field, text);
        return true;
    }
    return false;
}

} // namespace host
