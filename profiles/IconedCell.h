// SPDX-License-Identifier: Apache-2.0
// The profile table's icon cell: draws its image 16 by 16 points at the top left of the row,
// 3 points in from the left edge.
#pragma once

#include "ui/Cell.h"

#include <memory>
#include <optional>

namespace tlco {

class IconedCell : public ui::Cell {
public:
    std::string kind() const override { return "image"; }
    // Stays as the panel's cell defines it; the Qt mirror draws icon columns from the cell's image.
    void drawInteriorWithFrame(ui::Rect frame, ui::View* controlView) override;

    // Where the last drawing composited the image's origin corner; nothing when it drew nothing.
    // A headless toolkit has no pixels, so this is what drawing leaves behind.
    const std::optional<ui::Point>& lastCompositePoint() const { return lastComposite_; }

private:
    std::optional<ui::Point> lastComposite_;
};

} // namespace tlco
