// SPDX-License-Identifier: Apache-2.0
// One cell of a table view for a screen reader: a tick box is a check box with a toggle action, an
// icon a graphic, a text a cell; each is named so that it can be told apart from its neighbours.
#pragma once

#include <QAccessibleActionInterface>
#include <QAccessibleInterface>
#include <QPointer>

namespace ui::qt {

class TableWidget;

class TableCellAccessible final : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    TableCellAccessible(TableWidget* table, int row, int column);

    int row() const { return row_; }
    int column() const { return column_; }

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text kind) const override;
    void setText(QAccessible::Text, const QString&) override { }
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    QStringList actionNames() const override;
    void doAction(const QString& name) override;
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    std::string kind() const;
    QString rowName() const;

    QPointer<TableWidget> table_;
    int row_;
    int column_;
};

} // namespace ui::qt
