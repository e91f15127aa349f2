// SPDX-License-Identifier: Apache-2.0
// The table's cells as its accessible children.
#include "ui/qt/TableAccessible.h"

#include "ui/qt/TableCellAccessible.h"
#include "ui/qt/TableWidget.h"

namespace ui::qt {
namespace {

QAccessibleInterface* makeAccessible(const QString&, QObject* object)
{
    auto* table = dynamic_cast<TableWidget*>(object);
    return table ? new TableAccessible(table) : nullptr;
}

} // namespace

void TableAccessible::install()
{
    // Qt forgets its factories with the application and takes each one once.
    QAccessible::installFactory(makeAccessible);
}

TableAccessible::TableAccessible(TableWidget* table) : QAccessibleWidget(table, QAccessible::Table) { }

TableAccessible::~TableAccessible()
{
    for (QAccessible::Id id : std::as_const(cells_)) QAccessible::deleteAccessibleInterface(id);
}

TableWidget* TableAccessible::table() const
{
    return static_cast<TableWidget*>(widget());
}

int TableAccessible::childCount() const
{
    return table()->rows().rowCount() * table()->rows().columnCount();
}

QAccessibleInterface* TableAccessible::child(int index) const
{
    const int columns = table()->rows().columnCount();
    if (index < 0 || index >= childCount() || columns == 0) return nullptr;
    if (auto found = cells_.constFind(index); found != cells_.constEnd())
        if (QAccessibleInterface* cell = QAccessible::accessibleInterface(*found)) return cell;
    auto* cell = new TableCellAccessible(table(), index / columns, index % columns);
    cells_.insert(index, QAccessible::registerAccessibleInterface(cell));
    return cell;
}

int TableAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    const auto* cell = dynamic_cast<const TableCellAccessible*>(child);
    if (!cell || !cell->isValid()) return -1;
    return cell->row() * table()->rows().columnCount() + cell->column();
}

QAccessibleInterface* TableAccessible::childAt(int x, int y) const
{
    const QModelIndex index = table()->indexAt(table()->viewport()->mapFromGlobal(QPoint(x, y)));
    return index.isValid() ? child(index.row() * table()->rows().columnCount() + index.column()) : nullptr;
}

} // namespace ui::qt
