// SPDX-License-Identifier: Apache-2.0
// What a screen reader sees of a table view: a table of cells, each named by its text (or, for a
// tick box or an icon, by its column's name and the row's first text), tick boxes as check boxes
// that can be toggled.
#pragma once

#include <QAccessibleWidget>
#include <QHash>

namespace ui::qt {

class TableWidget;

class TableAccessible final : public QAccessibleWidget {
public:
    explicit TableAccessible(TableWidget* table);
    ~TableAccessible() override;

    // Makes Qt's accessibility ask this class for every TableWidget (of this application).
    static void install();

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;

private:
    TableWidget* table() const;

    mutable QHash<int, QAccessible::Id> cells_; // by child index; owned by Qt's registry
};

} // namespace ui::qt
