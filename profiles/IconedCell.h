// SPDX-License-Identifier: Apache-2.0
// The profile table's icon cell: draws its image 16 by 16 points at the top left of the row,
// 3 points in from the left edge.
#pragma once

#include "ui/Cell.h"

#include <cstdint>
#include <memory>
#include <optional>

namespace tlco {

class IconedCell : public ui::Cell {
public:
    std::string kind() const override { return "image"; }
    void drawInteriorWithFrame(ui::Rect frame, ui::View* controlView) override;

    // Where the last drawing composited the image's origin corner; nothing when it drew nothing.
    // A headless toolkit has no pixels, so this is what drawing leaves behind.
    const std::optional<ui::Point>& lastCompositePoint() const { return lastComposite_; }

private:
    std::shared_ptr<ui::Image> mImage;
    uint8_t mIconFlag = 0;
    std::optional<ui::Point> lastComposite_;
};

} // namespace tlco
