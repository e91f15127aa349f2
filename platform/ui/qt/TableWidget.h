// SPDX-License-Identifier: Apache-2.0
// A table view whose clicks become the table's user calls; its selection only mirrors the model.
#pragma once

#include "ui/qt/TableModel.h"

#include <QTableView>

namespace ui::qt {

class TableWidget final : public QTableView {
public:
    explicit TableWidget(ui::TableView& table, QWidget* parent = nullptr);

    TableModel& rows() { return model_; }
    ui::TableView& view() const { return table_; }
    // The user calls of a click on a row, and on the tick box in column of row.
    void clickRow(int row);
    void clickTick(int row, int column);
    // Shows the model's rows and selection.
    void refresh();
    void refreshSelection();
    // Where a click lands on row's cell in column (row -1: below the last row); nothing when off view.
    std::optional<QPoint> clickPoint(int row, int column);
    int columnOf(std::string_view identifier) const;
    // The first column of tick boxes; -1 when there is none.
    int tickColumn() const;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent*) override { }
    void mouseReleaseEvent(QMouseEvent*) override { }
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void sizeColumns();

    ui::TableView& table_;
    TableModel model_;
};

} // namespace ui::qt
