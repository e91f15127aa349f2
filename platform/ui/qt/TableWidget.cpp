// SPDX-License-Identifier: Apache-2.0
// Clicks on rows and tick boxes.
#include "ui/qt/TableWidget.h"

#include "ui/TableView.h"
#include "ui/qt/TableAccessible.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>

namespace ui::qt {

TableWidget::TableWidget(ui::TableView& table, QWidget* parent) : QTableView(parent), table_(table), model_(table)
{
    TableAccessible::install();
    setModel(&model_);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    verticalHeader()->hide();
    horizontalHeader()->setStretchLastSection(false);
    setShowGrid(false);
    setWordWrap(false);
    setTabKeyNavigation(false);
    sizeColumns();
}

void TableWidget::sizeColumns()
{
    // Tick boxes and icons take what they draw; each text column its widest text, and the widest of
    // them also the room left, so that a name is cut only when the table cannot hold it.
    QStyle* shown = style();
    const int tick = shown->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, this) + 12;
    const int icon = shown->pixelMetric(QStyle::PM_SmallIconSize, nullptr, this) + 12;
    horizontalHeader()->setMinimumSectionSize(std::min(tick, icon));
    int used = 0, widest = -1, widestWidth = 0;
    for (int c = 0; c < model_.columnCount(); ++c) {
        const std::string kind = model_.kindOfColumn(c);
        int width = kind == "switch" ? tick : kind == "image" ? icon : 0;
        if (width == 0) {
            width = std::max(sizeHintForColumn(c), horizontalHeader()->sectionSizeHint(c));
            if (width > widestWidth) widest = c, widestWidth = width;
        }
        setColumnWidth(c, width);
        used += width;
    }
    const int room = viewport()->width() - used;
    if (widest >= 0 && room > 0) setColumnWidth(widest, widestWidth + room);
}

void TableWidget::refresh()
{
    model_.reload();
    sizeColumns();
    refreshSelection();
}

void TableWidget::refreshSelection()
{
    // The view repaints its highlight on the selection model's signals: they must get through.
    if (table_.selectedRow() < 0) {
        clearSelection();
        selectionModel()->setCurrentIndex({}, QItemSelectionModel::NoUpdate);
        return;
    }
    const QModelIndex row = model_.index(table_.selectedRow(), 0);
    selectionModel()->setCurrentIndex(row, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(row);
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

void TableWidget::clickRow(int row)
{
    table_.userClickRow(row);
    refreshSelection();
}

void TableWidget::clickTick(int row, int column)
{
    if (column < 0 || column >= model_.columnCount()) return;
    table_.userClickTick(row, table_.tableColumns()[static_cast<size_t>(column)]->identifier());
    refreshSelection();
}

void TableWidget::mousePressEvent(QMouseEvent* event)
{
    setFocus(Qt::MouseFocusReason);
    if (event->button() != Qt::LeftButton) return;
    QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid() && model_.kindOfColumn(index.column()) == "switch")
        clickTick(index.row(), index.column());
    else
        clickRow(index.isValid() ? index.row() : -1);
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

int TableWidget::tickColumn() const
{
    for (int c = 0; c < model_.columnCount(); ++c)
        if (model_.kindOfColumn(c) == "switch") return c;
    return -1;
}

void TableWidget::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier) {
        // Space toggles the tick box of the current row, as a click on it would.
        if (table_.selectedRow() >= 0) clickTick(table_.selectedRow(), tickColumn());
        return;
    }
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
