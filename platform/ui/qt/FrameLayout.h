// SPDX-License-Identifier: Apache-2.0
// Where a view's widget goes: the interface description's frame (counted from the bottom edge
// unless the superview is flipped), scaled so that every text fits the font in use.
#pragma once

#include <QSizeF>

#include <utility>
#include <vector>

class QWidget;

namespace ui {
class View;
}

namespace ui::qt {

// The scale for widths and heights at which every shown text fits its frame.
QSizeF fitScale(const std::vector<std::pair<const ui::View*, QWidget*>>& shown);
// Places widget by view's frame; a widget outside its superview's widget (a root) only takes the size.
void placeWidget(const ui::View& view, QWidget& widget, QSizeF scale, bool inSuperview);

} // namespace ui::qt
