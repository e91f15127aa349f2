// SPDX-License-Identifier: Apache-2.0
// Frames to widget geometry.
#include "ui/qt/FrameLayout.h"

#include "ui/View.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>
#include <cmath>

namespace ui::qt {

QSizeF fitScale(const std::vector<std::pair<const ui::View*, QWidget*>>& shown)
{
    // Cocoa's frames suit its 13-point system font; every text must fit its frame, so the whole
    // description grows by the largest shortfall (which keeps views from overlapping).
    double sx = 1, sy = 1;
    for (const auto& [view, widget] : shown) {
        const bool measured = qobject_cast<QLabel*>(widget) || qobject_cast<QAbstractButton*>(widget) ||
            qobject_cast<QComboBox*>(widget) || qobject_cast<QLineEdit*>(widget);
        if (!measured) continue;
        ui::Rect frame = view->frame();
        QSize hint = widget->sizeHint();
        if (auto* combo = qobject_cast<QComboBox*>(widget)) {
            // The longest item must fit, beside the arrow and the frame.
            int widest = 0;
            for (int i = 0; i < combo->count(); ++i)
                widest = std::max(widest, combo->fontMetrics().horizontalAdvance(combo->itemText(i)));
            hint.setWidth(widest + 44);
        }
        if (frame.size.width > 0 && !qobject_cast<QLineEdit*>(widget))
            sx = std::max(sx, hint.width() / frame.size.width);
        if (frame.size.height > 0) sy = std::max(sy, hint.height() / frame.size.height);
    }
    return {std::min(sx, 2.5), std::min(sy, 2.5)};
}

void placeWidget(const ui::View& view, QWidget& widget, QSizeF scale, bool inSuperview)
{
    const ui::Rect frame = view.frame();
    const QSize size(static_cast<int>(std::lround(frame.size.width * scale.width())),
        static_cast<int>(std::lround(frame.size.height * scale.height())));
    const ui::View* super = view.superview();
    if (!super || !inSuperview) {
        widget.setFixedSize(size); // a root: fixed, so that the layout holding it keeps its size
        return;
    }
    // Unflipped superviews count y upwards from their bottom edge.
    double y = super->isFlipped() ? frame.origin.y : super->frame().size.height - frame.origin.y - frame.size.height;
    widget.setGeometry(static_cast<int>(std::lround(frame.origin.x * scale.width())),
        static_cast<int>(std::lround(y * scale.height())), size.width(), size.height());
}

} // namespace ui::qt
