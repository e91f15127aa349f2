// SPDX-License-Identifier: Apache-2.0
// A table of rows and identified columns whose values come from a data source; a delegate decides
// about selection. Program calls change the table silently; user calls ask the hooks as the
// toolkit does.
#pragma once

#include "Export.h"

#include "cf/Object.h"
#include "ui/Cell.h"
#include "ui/Control.h"

#include <memory>
#include <string>
#include <vector>

namespace ui {

class TableView;

class TL_EXPORT TableColumn {
public:
    explicit TableColumn(std::string identifier, std::string title = {})
        : identifier_(std::move(identifier)), title_(std::move(title)), cell_(std::make_shared<Cell>())
    {
    }
    const std::string& identifier() const { return identifier_; }
    const std::string& title() const { return title_; }
    // The header's tool tip; also the column's name for assistive technology when it has no title.
    const std::string& headerToolTip() const { return headerToolTip_; }
    void setHeaderToolTip(std::string tip) { headerToolTip_ = std::move(tip); }
    const std::shared_ptr<Cell>& dataCell() const { return cell_; }
    void setDataCell(std::shared_ptr<Cell> cell) { cell_ = std::move(cell); }

private:
    std::string identifier_;
    std::string title_;
    std::string headerToolTip_;
    std::shared_ptr<Cell> cell_;
};

class TL_EXPORT TableDataSource {
public:
    virtual ~TableDataSource() = default;
    virtual int numberOfRowsInTableView(TableView& table) = 0;
    virtual cf::Ref tableViewObjectValueForTableColumn(TableView& table, TableColumn& column, int row) = 0;
    virtual void tableViewSetObjectValue(TableView&, const cf::Ref&, TableColumn&, int) { }
};

class TL_EXPORT TableDelegate {
public:
    virtual ~TableDelegate() = default;
    virtual bool selectionShouldChangeInTableView(TableView&) { return true; }
    virtual bool tableViewShouldSelectRow(TableView&, int) { return true; }
    virtual void tableViewSelectionDidChange(TableView&) { }
};

class TL_EXPORT TableView : public Control {
    UI_DECLARE_CLASS()

public:
    const std::vector<std::unique_ptr<TableColumn>>& tableColumns() const { return columns_; }
    TableColumn* tableColumnWithIdentifier(std::string_view identifier) const;
    void addTableColumn(std::unique_ptr<TableColumn> column)
    {
        columns_.push_back(std::move(column));
        notifyChange(*this, Change::Items);
    }

    TableDataSource* dataSource() const { return dataSource_; }
    void setDataSource(TableDataSource* source) { dataSource_ = source; }
    TableDelegate* delegate() const { return delegate_; }
    void setDelegate(TableDelegate* delegate) { delegate_ = delegate; }
    const Font& font() const { return font_; }
    void setFont(Font font) { font_ = std::move(font); }
    // Rows run top down, as in the toolkit.
    bool isFlipped() const override { return true; }

    int numberOfRows() const { return rows_; }
    // Asks the data source for the number of rows again; a selection past the end is dropped.
    void reloadData();
    // -1 when no row is selected.
    int selectedRow() const { return selected_; }
    // Program calls: no delegate is asked; the selection-changed hook runs when the selection changes.
    void selectRow(int row);
    void deselectAll();

    // A person clicks row (or below the last row, row -1): the delegate may refuse the change; the
    // selection-changed hook runs after a change.
    bool userClickRow(int row);
    // A person clicks the tick box of row in the column: the data source gets the new value.
    bool userClickTick(int row, std::string_view columnIdentifier);

private:
    void setSelection(int row);

    std::vector<std::unique_ptr<TableColumn>> columns_;
    TableDataSource* dataSource_ = nullptr;
    TableDelegate* delegate_ = nullptr;
    Font font_{"system", 13};
    int rows_ = 0;
    int selected_ = -1;
};

} // namespace ui
