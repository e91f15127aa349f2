// SPDX-License-Identifier: Apache-2.0
// The icon cell's drawing.
#include "profiles/IconedCell.h"

#include "ui/View.h"

namespace tlco {

void IconedCell::drawInteriorWithFrame(ui::Rect frame, ui::View* controlView)
{
    lastComposite_.reset();
    const std::shared_ptr<ui::Image>& icon = image();
    if (!icon) return;
    constexpr double kIconSize = 16;
    icon->size = ui::Size{kIconSize, kIconSize};
    // Compositing places the image by its bottom-left corner; in flipped coordinates that corner
    // lies one icon height further down.
    const bool flipped = controlView && controlView->isFlipped();
    lastComposite_ = ui::Point{frame.origin.x + 3, frame.origin.y + (flipped ? kIconSize : 0)};
}

} // namespace tlco
