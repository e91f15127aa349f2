// SPDX-License-Identifier: Apache-2.0
// Clicks on rows and tick boxes.
#include "ui/qt/TableWidget.h"

#include "ui/TableView.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSignalBlocker>

namespace ui::qt {

TableWidget::TableWidget(ui::TableView& table, QWidget* parent) : QTableView(parent), table_(table), model_(table)
{
    setModel(&model_);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    verticalHeader()->hide();
    horizontalHeader()->setStretchLastSection(true);
    setShowGrid(false);
    setWordWrap(false);
    setTabKeyNavigation(false);
    sizeColumns();
}

void TableWidget::sizeColumns()
{
    for (int c = 0; c < model_.columnCount(); ++c) {
        const std::string kind = model_.kindOfColumn(c);
        if (kind == "switch" || kind == "image") setColumnWidth(c, 26);
    }
    int narrow = 0;
    for (int c = 0; c < model_.columnCount(); ++c)
        if (columnWidth(c) == 26) narrow += 26;
    int text = std::max(1, model_.columnCount() - narrow / 26);
    int width = std::max(60, (viewport()->width() - narrow) / text);
    for (int c = 0; c < model_.columnCount(); ++c)
        if (columnWidth(c) != 26) setColumnWidth(c, width);
}

void TableWidget::refresh()
{
    model_.reload();
    sizeColumns();
    refreshSelection();
}

void TableWidget::refreshSelection()
{
    QSignalBlocker block(selectionModel());
    if (table_.selectedRow() < 0) {
        clearSelection();
        return;
    }
    selectRow(table_.selectedRow());
}

int TableWidget::columnOf(std::string_view identifier) const
{
    const auto& columns = table_.tableColumns();
    for (size_t c = 0; c < columns.size(); ++c)
        if (columns[c]->identifier() == identifier) return static_cast<int>(c);
    return -1;
}

std::optional<QPoint> TableWidget::clickPoint(int row, int column)
{
    if (row >= 0) {
        QModelIndex index = model_.index(row, std::max(0, column));
        scrollTo(index);
        QRect cell = visualRect(index);
        if (!viewport()->rect().contains(cell.center())) return std::nullopt;
        return cell.center();
    }
    int bottom = 0;
    if (model_.rowCount() > 0) {
        int last = model_.rowCount() - 1;
        scrollTo(model_.index(last, 0));
        bottom = rowViewportPosition(last) + rowHeight(last);
    }
    QPoint below(viewport()->width() / 2, bottom + 4);
    if (!viewport()->rect().contains(below)) return std::nullopt;
    return below;
}

void TableWidget::mousePressEvent(QMouseEvent* event)
{
    setFocus(Qt::MouseFocusReason);
    if (event->button() != Qt::LeftButton) return;
    QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid() && model_.kindOfColumn(index.column()) == "switch") {
        const std::string id = table_.tableColumns()[static_cast<size_t>(index.column())]->identifier();
        table_.userClickTick(index.row(), id);
    } else {
        table_.userClickRow(index.isValid() ? index.row() : -1);
    }
    refreshSelection();
}

void TableWidget::resizeEvent(QResizeEvent* event)
{
    QTableView::resizeEvent(event);
    sizeColumns();
}

void TableWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
    mousePressEvent(event);
}

void TableWidget::keyPressEvent(QKeyEvent* event)
{
    int step = event->key() == Qt::Key_Up ? -1 : event->key() == Qt::Key_Down ? 1 : 0;
    if (step == 0) {
        event->ignore(); // the selection moves only through the model
        return;
    }
    int row = std::clamp(table_.selectedRow() + step, 0, std::max(0, table_.numberOfRows() - 1));
    if (table_.numberOfRows() > 0) table_.userClickRow(row);
    refreshSelection();
}

} // namespace ui::qt
