// SPDX-License-Identifier: Apache-2.0
// Names, roles, states and actions of table cells.
#include "ui/qt/TableCellAccessible.h"

#include "ui/TableView.h"
#include "ui/qt/TableWidget.h"

#include <QWidget>
#include <QWindow>

namespace ui::qt {

TableCellAccessible::TableCellAccessible(TableWidget* table, int row, int column)
    : table_(table), row_(row), column_(column)
{
}

bool TableCellAccessible::isValid() const
{
    return table_ && row_ < table_->rows().rowCount() && column_ < table_->rows().columnCount();
}

QWindow* TableCellAccessible::window() const
{
    return table_ ? table_->window()->windowHandle() : nullptr;
}

QAccessibleInterface* TableCellAccessible::parent() const
{
    return table_ ? QAccessible::queryAccessibleInterface(table_.data()) : nullptr;
}

std::string TableCellAccessible::kind() const
{
    return table_ ? table_->rows().kindOfColumn(column_) : std::string();
}

// The row's first text, which tells a row from the others (the file name of a profile).
QString TableCellAccessible::rowName() const
{
    for (int c = 0; c < table_->rows().columnCount(); ++c)
        if (table_->rows().kindOfColumn(c) == "text")
            return table_->rows().index(row_, c).data(Qt::DisplayRole).toString();
    return {};
}

QString TableCellAccessible::text(QAccessible::Text kind) const
{
    if (!isValid()) return {};
    const QModelIndex index = table_->rows().index(row_, column_);
    const QString column = table_->rows().headerData(column_, Qt::Horizontal, Qt::AccessibleTextRole).toString();
    if (kind == QAccessible::Description) return column;
    if (kind != QAccessible::Name) return {};
    const std::string shown = this->kind();
    if (shown == "switch") return column + ": " + rowName();
    if (shown == "image") return index.data(Qt::DecorationRole).isValid() ? column + ": " + rowName() : QString();
    return index.data(Qt::DisplayRole).toString();
}

QRect TableCellAccessible::rect() const
{
    if (!isValid()) return {};
    const QRect cell = table_->visualRect(table_->rows().index(row_, column_));
    return QRect(table_->viewport()->mapToGlobal(cell.topLeft()), cell.size());
}

QAccessible::Role TableCellAccessible::role() const
{
    const std::string shown = kind();
    if (shown == "switch") return QAccessible::CheckBox;
    if (shown == "image") return QAccessible::Graphic;
    return QAccessible::Cell;
}

QAccessible::State TableCellAccessible::state() const
{
    QAccessible::State state;
    if (!isValid()) {
        state.invalid = true;
        return state;
    }
    state.disabled = !table_->isEnabled();
    state.selectable = true;
    state.selected = table_->view().selectedRow() == row_;
    if (kind() == "switch") {
        state.checkable = true;
        state.checked = table_->rows().index(row_, column_).data(Qt::CheckStateRole).toInt() == Qt::Checked;
    }
    return state;
}

void* TableCellAccessible::interface_cast(QAccessible::InterfaceType type)
{
    return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
}

QStringList TableCellAccessible::actionNames() const
{
    if (!isValid()) return {};
    return {kind() == "switch" ? toggleAction() : pressAction()};
}

void TableCellAccessible::doAction(const QString& name)
{
    if (!isValid()) return;
    // The same user calls as a click on the cell.
    if (name == toggleAction() && kind() == "switch") table_->clickTick(row_, column_);
    if (name == pressAction() && kind() != "switch") table_->clickRow(row_);
}

} // namespace ui::qt
