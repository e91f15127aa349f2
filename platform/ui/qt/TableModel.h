// SPDX-License-Identifier: Apache-2.0
// The rows of a table view as Qt sees them, asked from the table's data source on each paint.
#pragma once

#include <QAbstractTableModel>

namespace ui {
class TableView;
}

namespace ui::qt {

class TableModel final : public QAbstractTableModel {
public:
    explicit TableModel(ui::TableView& table, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    // The data source changed (reloadData or a tick).
    void reload();
    // The kind of cell the column draws ("text", "switch", "image").
    std::string kindOfColumn(int column) const;

private:
    ui::TableView& table_;
};

} // namespace ui::qt
