// SPDX-License-Identifier: Apache-2.0
// A dashed ring inside the button while it has the focus.
#include "ui/qt/FocusButton.h"

#include <QPainter>
#include <QPen>

namespace ui::qt {

void FocusButton::paintEvent(QPaintEvent* event)
{
    QPushButton::paintEvent(event);
    if (!hasFocus()) return;
    QPainter painter(this);
    QPen pen(palette().color(QPalette::Highlight), 1, Qt::DashLine);
    painter.setPen(pen);
    painter.drawRect(rect().adjusted(4, 4, -5, -5));
}

} // namespace ui::qt
