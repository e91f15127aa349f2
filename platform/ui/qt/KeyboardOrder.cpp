// SPDX-License-Identifier: Apache-2.0
// Buddies and tab order from geometry.
#include "ui/qt/KeyboardOrder.h"

#include <QLabel>
#include <QWidget>

#include <algorithm>
#include <vector>

namespace ui::qt {
namespace {

struct Placed {
    QWidget* widget;
    QRect rect; // in the root's coordinates
};

std::vector<Placed> descendants(QWidget& root)
{
    std::vector<Placed> out;
    for (QWidget* widget : root.findChildren<QWidget*>()) {
        if (widget->isWindow() || widget->objectName().isEmpty()) continue; // only the description's views
        out.push_back({widget, QRect(widget->mapTo(&root, QPoint(0, 0)), widget->size())});
    }
    return out;
}

// The control whose row the label names: to its right, its middle within the label's height.
QWidget* controlBeside(const Placed& label, const std::vector<Placed>& all)
{
    QWidget* best = nullptr;
    int bestGap = 0;
    for (const auto& other : all) {
        if (other.widget == label.widget || !(other.widget->focusPolicy() & Qt::TabFocus)) continue;
        if (other.widget->parentWidget() != label.widget->parentWidget()) continue;
        const int middle = other.rect.center().y();
        if (middle < label.rect.top() - 4 || middle > label.rect.bottom() + 4) continue;
        const int gap = other.rect.left() - label.rect.right();
        if (gap < -2) continue;
        if (!best || gap < bestGap) {
            best = other.widget;
            bestGap = gap;
        }
    }
    return best;
}

} // namespace

void linkKeyboard(QWidget& root)
{
    std::vector<Placed> all = descendants(root);
    for (const auto& placed : all)
        if (auto* label = qobject_cast<QLabel*>(placed.widget))
            if (QWidget* control = controlBeside(placed, all)) label->setBuddy(control);

    std::vector<Placed> focusable;
    for (const auto& placed : all)
        if (placed.widget->focusPolicy() & Qt::TabFocus) focusable.push_back(placed);
    // Reading order: rows top down (controls of one row share their middle), then left to right.
    std::sort(focusable.begin(), focusable.end(), [](const Placed& a, const Placed& b) {
        const int rowA = a.rect.center().y() / 12, rowB = b.rect.center().y() / 12;
        if (rowA != rowB) return rowA < rowB;
        return a.rect.left() < b.rect.left();
    });
    for (size_t i = 1; i < focusable.size(); ++i) QWidget::setTabOrder(focusable[i - 1].widget, focusable[i].widget);
}

} // namespace ui::qt
