// SPDX-License-Identifier: Apache-2.0
// Points, sizes and rectangles in the toolkit's coordinates.
#pragma once

#include "Export.h"

namespace ui {

struct TL_EXPORT Point {
    double x = 0;
    double y = 0;
    bool operator==(const Point&) const = default;
};

struct TL_EXPORT Size {
    double width = 0;
    double height = 0;
    bool operator==(const Size&) const = default;
};

struct TL_EXPORT Rect {
    Point origin;
    Size size;
    bool operator==(const Rect&) const = default;
};

inline Rect makeRect(double x, double y, double width, double height)
{
    return Rect{{x, y}, {width, height}};
}

} // namespace ui
