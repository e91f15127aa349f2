// SPDX-License-Identifier: Apache-2.0
// Table cells: text, tick boxes and icons.
#include "ui/qt/TableModel.h"

#include "cf/Boolean.h"
#include "cf/Number.h"
#include "cf/String.h"
#include "ui/TableView.h"

#include <QApplication>
#include <QStyle>

namespace ui::qt {

TableModel::TableModel(ui::TableView& table, QObject* parent) : QAbstractTableModel(parent), table_(table) { }

int TableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : table_.numberOfRows();
}

int TableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(table_.tableColumns().size());
}

std::string TableModel::kindOfColumn(int column) const
{
    if (column < 0 || column >= columnCount()) return {};
    ui::TableColumn& shown = *table_.tableColumns()[static_cast<size_t>(column)];
    // The data source may choose the column's cell when it answers for a row.
    if (table_.dataSource() && table_.numberOfRows() > 0)
        table_.dataSource()->tableViewObjectValueForTableColumn(table_, shown, 0);
    return shown.dataCell()->kind();
}

QVariant TableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || !table_.dataSource() || index.row() >= table_.numberOfRows()) return {};
    ui::TableColumn& column = *table_.tableColumns()[static_cast<size_t>(index.column())];
    // The data source may choose the column's cell while it answers, so the kind is read afterwards.
    cf::Ref value = table_.dataSource()->tableViewObjectValueForTableColumn(table_, column, index.row());
    const std::string kind = column.dataCell()->kind();
    if (kind == "switch") {
        if (role != Qt::CheckStateRole) return {};
        bool on = false;
        if (auto number = cf::as<cf::Number>(value)) on = number->int64Value() != 0;
        if (auto flag = cf::as<cf::Boolean>(value)) on = flag->value();
        return on ? Qt::Checked : Qt::Unchecked;
    }
    if (kind == "image") {
        if (role != Qt::DecorationRole || !column.dataCell()->image()) return {};
        return QApplication::style()->standardIcon(QStyle::SP_DriveNetIcon);
    }
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole) return {};
    if (auto text = cf::as<cf::String>(value)) return QString::fromStdString(text->utf8());
    if (auto number = cf::as<cf::Number>(value)) return QString::number(number->int64Value());
    return {};
}

QVariant TableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) return {};
    const ui::TableColumn& column = *table_.tableColumns()[static_cast<size_t>(section)];
    if (role == Qt::DisplayRole) return QString::fromStdString(column.title());
    if (role == Qt::ToolTipRole) return QString::fromStdString(column.headerToolTip());
    if (role == Qt::AccessibleTextRole)
        return QString::fromStdString(column.title().empty() ? column.headerToolTip() : column.title());
    return {};
}

void TableModel::reload()
{
    beginResetModel();
    endResetModel();
}

} // namespace ui::qt
