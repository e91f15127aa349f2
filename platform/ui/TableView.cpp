// SPDX-License-Identifier: Apache-2.0
// Table rows, selection and the data-source and delegate hooks.
#include "ui/TableView.h"

#include "cf/Boolean.h"
#include "cf/Number.h"

#include <nlohmann/json.hpp>

namespace ui {

const ClassInfo& TableView::staticClassInfo()
{
    static const ClassInfo info =
        ClassBuilder<TableView>("TableView", &Control::staticClassInfo())
            .property("columns",
                [](TableView& table, const nlohmann::json& value) {
                    if (!value.is_array()) return false;
                    for (const auto& column : value) {
                        if (!column.is_object() || !column.contains("identifier") || !column["identifier"].is_string())
                            return false;
                        std::string title = column.value("title", std::string());
                        auto added = std::make_unique<TableColumn>(column["identifier"].get<std::string>(), title);
                        if (column.contains("headerToolTip") && !column["headerToolTip"].is_string()) return false;
                        added->setHeaderToolTip(column.value("headerToolTip", std::string()));
                        table.addTableColumn(std::move(added));
                    }
                    return true;
                })
            .linkProperty("dataSource", &TableView::setDataSource)
            .linkProperty("delegate", &TableView::setDelegate)
            .build();
    return info;
}

TableColumn* TableView::tableColumnWithIdentifier(std::string_view identifier) const
{
    for (const auto& column : columns_)
        if (column->identifier() == identifier) return column.get();
    return nullptr;
}

void TableView::reloadData()
{
    rows_ = dataSource_ ? std::max(0, dataSource_->numberOfRowsInTableView(*this)) : 0;
    if (selected_ >= rows_) setSelection(-1);
    notifyChange(*this, Change::TableData);
}

void TableView::setSelection(int row)
{
    if (row == selected_) return;
    selected_ = row;
    notifyChange(*this, Change::TableSelection);
    if (delegate_) delegate_->tableViewSelectionDidChange(*this);
}

void TableView::selectRow(int row)
{
    if (row < 0 || row >= rows_) return;
    setSelection(row);
}

void TableView::deselectAll()
{
    setSelection(-1);
}

bool TableView::userClickRow(int row)
{
    if (!isEnabled()) return false;
    if (row >= rows_) row = -1; // below the last row
    if (row == selected_) return true;
    if (delegate_ && !delegate_->selectionShouldChangeInTableView(*this)) return true;
    if (row >= 0 && delegate_ && !delegate_->tableViewShouldSelectRow(*this, row)) return true;
    setSelection(row);
    return true;
}

bool TableView::userClickTick(int row, std::string_view columnIdentifier)
{
    if (!isEnabled() || row < 0 || row >= rows_ || !dataSource_) return false;
    TableColumn* column = tableColumnWithIdentifier(columnIdentifier);
    if (!column) return false;
    // The tick box shows the current value; a click proposes the opposite.
    cf::Ref current = dataSource_->tableViewObjectValueForTableColumn(*this, *column, row);
    bool ticked = false;
    if (auto number = cf::as<cf::Number>(current)) ticked = number->int64Value() != 0;
    if (auto flag = cf::as<cf::Boolean>(current)) ticked = flag->value();
    dataSource_->tableViewSetObjectValue(*this, cf::Number::create(ticked ? 0 : 1), *column, row);
    notifyChange(*this, Change::TableData);
    return true;
}

} // namespace ui
