// SPDX-License-Identifier: Apache-2.0
// The field editor: the object that edits a text field's text while it has the focus. It holds
// the insertion point (a selection of length 0) in UTF-16 units.
#pragma once

#include "Export.h"

#include <cstddef>

namespace ui {

class TextField;

struct TL_EXPORT TextRange {
    size_t location = 0;
    size_t length = 0;
    bool operator==(const TextRange&) const = default;
};

class TL_EXPORT Text {
public:
    explicit Text(TextField& field) : field_(field) { }

    TextField& field() const { return field_; }
    TextRange selectedRange() const { return selection_; }
    // Clamped to the field's text.
    void setSelectedRange(TextRange range);

private:
    TextField& field_;
    TextRange selection_;
};

} // namespace ui
