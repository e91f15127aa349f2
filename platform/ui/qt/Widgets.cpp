// SPDX-License-Identifier: Apache-2.0
// Pop-ups, check boxes, buttons, labels, boxes, tab views, tables and text fields.
#include "ui/qt/Widgets.h"

#include "ui/Box.h"
#include "ui/Button.h"
#include "ui/Label.h"
#include "ui/PopUpButton.h"
#include "ui/TabView.h"
#include "ui/TableView.h"
#include "ui/TextField.h"
#include "ui/qt/FieldEdit.h"
#include "ui/qt/FocusButton.h"
#include "ui/qt/KeyboardOrder.h"
#include "ui/qt/TableWidget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVariant>

namespace ui::qt {
namespace {

constexpr const char* kViewProperty = "tlView";

QString q(const std::string& text)
{
    return QString::fromStdString(text);
}

QWidget* makePopUp(ui::PopUpButton& popUp, QWidget* parent)
{
    auto* combo = new QComboBox(parent);
    QObject::connect(combo, &QComboBox::activated, combo, [&popUp, combo](int index) {
        popUp.userSelectItem(index);
        updateWidget(popUp, *combo); // a refused pick shows the model's item again
    });
    return combo;
}

QWidget* makeButton(ui::Button& button, QWidget* parent)
{
    QAbstractButton* widget = button.isSwitch() ? static_cast<QAbstractButton*>(new QCheckBox(parent))
                                                : static_cast<QAbstractButton*>(new FocusButton({}, parent));
    // Return presses the window's default button, not whichever button had the focus last.
    if (auto* push = qobject_cast<QPushButton*>(widget)) push->setAutoDefault(false);
    QObject::connect(widget, &QAbstractButton::clicked, widget, [&button, widget] {
        button.userClick();
        updateWidget(button, *widget);
    });
    return widget;
}

QWidget* makeTabs(ui::TabView& tabs, QWidget* parent)
{
    auto* widget = new QTabWidget(parent);
    QObject::connect(widget, &QTabWidget::currentChanged, widget, [&tabs, widget](int index) {
        tabs.userSelectTab(index);
        updateWidget(tabs, *widget);
    });
    return widget;
}

QWidget* makeFor(ui::View& view, QWidget* parent)
{
    if (auto* table = dynamic_cast<ui::TableView*>(&view)) return new TableWidget(*table, parent);
    if (auto* field = dynamic_cast<ui::TextField*>(&view)) return new FieldEdit(*field, parent);
    if (auto* popUp = dynamic_cast<ui::PopUpButton*>(&view)) return makePopUp(*popUp, parent);
    if (auto* button = dynamic_cast<ui::Button*>(&view)) return makeButton(*button, parent);
    if (dynamic_cast<ui::Label*>(&view)) return new QLabel(parent);
    if (auto* tabs = dynamic_cast<ui::TabView*>(&view)) return makeTabs(*tabs, parent);
    if (dynamic_cast<ui::Box*>(&view)) return new QGroupBox(parent);
    return new QWidget(parent);
}

void updatePopUp(const ui::PopUpButton& popUp, QComboBox& combo)
{
    QStringList titles;
    for (const auto& item : popUp.items()) titles << q(item.title);
    QStringList shown;
    for (int i = 0; i < combo.count(); ++i) shown << combo.itemText(i);
    if (titles != shown) {
        combo.clear();
        combo.addItems(titles);
    }
    combo.setCurrentIndex(popUp.indexOfSelectedItem());
}

void updateTabs(const ui::TabView& tabs, QTabWidget& widget)
{
    for (int i = 0; i < widget.count() && i < tabs.numberOfTabViewItems(); ++i)
        widget.setTabText(i, q(tabs.items()[static_cast<size_t>(i)].label));
    if (tabs.indexOfSelectedTabViewItem() < widget.count()) widget.setCurrentIndex(tabs.indexOfSelectedTabViewItem());
}

} // namespace

QWidget* makeWidget(ui::View& view, QWidget* parent)
{
    QWidget* widget = makeFor(view, parent);
    widget->setProperty(kViewProperty, QVariant::fromValue(reinterpret_cast<quintptr>(&view)));
    widget->setObjectName(q(view.identifier()));
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setTextFormat(Qt::PlainText); // a PPD's text is never markup
    }
    updateWidget(view, *widget);
    return widget;
}

ui::View* viewOf(const QWidget* widget)
{
    if (!widget) return nullptr;
    QVariant value = widget->property(kViewProperty);
    return value.isValid() ? reinterpret_cast<ui::View*>(value.value<quintptr>()) : nullptr;
}

void updateWidget(ui::View& view, QWidget& widget)
{
    QSignalBlocker block(&widget); // program changes are no user input
    widget.setEnabled(view.isEnabled());
    if (!view.accessibilityLabel().empty()) widget.setAccessibleName(q(view.accessibilityLabel()));
    if (auto* popUp = dynamic_cast<ui::PopUpButton*>(&view)) {
        if (auto* combo = qobject_cast<QComboBox*>(&widget)) updatePopUp(*popUp, *combo);
    } else if (auto* button = dynamic_cast<ui::Button*>(&view)) {
        auto& shown = static_cast<QAbstractButton&>(widget);
        shown.setText(withMnemonic(q(button->title()), mnemonicOf(widget)));
        if (button->isSwitch()) shown.setChecked(button->state() != 0);
        if (auto* push = qobject_cast<QPushButton*>(&widget)) push->setDefault(button->keyEquivalent() == "\r");
    } else if (auto* label = dynamic_cast<ui::Label*>(&view)) {
        // A label without a buddy shows an & as it is.
        const QChar letter = mnemonicOf(widget);
        static_cast<QLabel&>(widget).setText(
            letter.isNull() ? q(label->stringValue()) : withMnemonic(q(label->stringValue()), letter));
    } else if (auto* box = dynamic_cast<ui::Box*>(&view)) {
        static_cast<QGroupBox&>(widget).setTitle(q(box->title()));
    } else if (auto* tabs = dynamic_cast<ui::TabView*>(&view)) {
        updateTabs(*tabs, static_cast<QTabWidget&>(widget));
    } else if (dynamic_cast<ui::TextField*>(&view)) {
        static_cast<FieldEdit&>(widget).refresh();
    } else if (dynamic_cast<ui::TableView*>(&view)) {
        static_cast<TableWidget&>(widget).refresh();
    }
}

} // namespace ui::qt
