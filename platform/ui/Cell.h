// SPDX-License-Identifier: Apache-2.0
// What draws one value of a table column: a font, an image, and for switch cells a tick box.
#pragma once

#include "Export.h"

#include "ui/Geometry.h"

#include <memory>
#include <string>

namespace ui {

struct TL_EXPORT Font {
    std::string name; // "system" or "user"
    double size = 12;
    bool operator==(const Font&) const = default;
};

struct TL_EXPORT Image {
    std::string path;
    Size size;
};

class View;

class TL_EXPORT Cell {
public:
    virtual ~Cell() = default;
    virtual std::string kind() const { return "text"; }

    const Font& font() const { return font_; }
    void setFont(Font font) { font_ = std::move(font); }
    const std::shared_ptr<Image>& image() const { return image_; }
    void setImage(std::shared_ptr<Image> image) { image_ = std::move(image); }
    const std::string& title() const { return title_; }
    void setTitle(std::string title) { title_ = std::move(title); }

    // Records where the image would go; a headless toolkit has no pixels to paint.
    virtual void drawInteriorWithFrame(Rect frame, View* controlView);

private:
    Font font_{"system", 12};
    std::shared_ptr<Image> image_;
    std::string title_;
};

// A check-box cell ("switch" button type).
class TL_EXPORT ButtonCell : public Cell {
public:
    std::string kind() const override { return "switch"; }
};

} // namespace ui
