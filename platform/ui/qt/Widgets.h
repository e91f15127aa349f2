// SPDX-License-Identifier: Apache-2.0
// Which Qt widget shows which kind of view, and how a widget takes on its view's state.
#pragma once

class QWidget;

namespace ui {
class View;
}

namespace ui::qt {

// A new widget for the view (its own state only, no children); its user input becomes the view's
// user calls.
QWidget* makeWidget(ui::View& view, QWidget* parent);
// Shows the view's title, text, items, selection, state and enabledness.
void updateWidget(ui::View& view, QWidget& widget);
// The view behind a widget made by makeWidget; null for any other widget.
ui::View* viewOf(const QWidget* widget);

} // namespace ui::qt
