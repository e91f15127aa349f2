// SPDX-License-Identifier: Apache-2.0
// Text editing through the field editor, counted in UTF-16 units.
#include "ui/TextField.h"

#include "cf/Utf8.h"

#include <algorithm>

namespace ui {

void Text::setSelectedRange(TextRange range)
{
    size_t length = cf::utf8::utf16Length(field_.stringValue());
    range.location = std::min(range.location, length);
    range.length = std::min(range.length, length - range.location);
    if (range == selection_) return;
    selection_ = range;
    notifyChange(field_, Change::InsertionPoint);
}

const ClassInfo& TextField::staticClassInfo()
{
    static const ClassInfo info = ClassBuilder<TextField>("TextField", &Control::staticClassInfo())
                                      .property("text", &TextField::setStringValue)
                                      .property("editable", &TextField::setEditable)
                                      .build();
    return info;
}

TextField::TextField() : editor_(std::make_unique<Text>(*this)) { }
TextField::~TextField() = default;

void TextField::setStringValue(std::string text)
{
    if (text != text_) {
        text_ = std::move(text);
        notifyChange(*this, Change::Text);
    }
    if (editing_) editor_->setSelectedRange(TextRange{cf::utf8::utf16Length(text_), 0});
}

bool TextField::textShouldBeginEditing(Text&)
{
    return true;
}
bool TextField::textShouldEndEditing(Text&)
{
    return true;
}
void TextField::textDidChange() { }

bool TextField::beginEditing()
{
    if (!isEnabled() || !editable_) return false;
    if (editing_) return true;
    // A click into the field puts the insertion point at the end of its text.
    editor_->setSelectedRange(TextRange{cf::utf8::utf16Length(text_), 0});
    if (!textShouldBeginEditing(*editor_)) return false;
    editing_ = true;
    notifyChange(*this, Change::FirstResponder);
    return true;
}

void TextField::replaceSelection(std::string_view text)
{
    TextRange range = editor_->selectedRange();
    size_t start = cf::utf8::offsetOfUnit(text_, range.location);
    size_t end = cf::utf8::offsetOfUnit(text_, range.location + range.length);
    text_.replace(start, end - start, text);
    notifyChange(*this, Change::Text);
    editor_->setSelectedRange(TextRange{range.location + cf::utf8::utf16Length(text), 0});
}

bool TextField::userType(std::string_view typed)
{
    if (!beginEditing()) return false;
    const std::string valid = cf::utf8::repaired(typed);
    std::string_view text = valid;
    size_t offset = 0;
    while (offset < text.size()) {
        const size_t width = cf::utf8::widthAt(text, offset);
        replaceSelection(text.substr(offset, width));
        textDidChange();
        offset += width;
    }
    return true;
}

bool TextField::userPaste(std::string_view text)
{
    if (!beginEditing()) return false;
    replaceSelection(cf::utf8::repaired(text));
    textDidChange();
    return true;
}

bool TextField::userClear()
{
    if (!beginEditing()) return false;
    editor_->setSelectedRange(TextRange{0, cf::utf8::utf16Length(text_)});
    replaceSelection("");
    textDidChange();
    return true;
}

void TextField::userSelect(TextRange range)
{
    if (editing_) editor_->setSelectedRange(range);
}

bool TextField::userDelete(bool forward)
{
    if (!beginEditing()) return false;
    TextRange range = editor_->selectedRange();
    if (range.length == 0) {
        // One character: a pair of UTF-16 units when it lies outside the basic plane.
        size_t at = cf::utf8::offsetOfUnit(text_, range.location);
        if (forward) {
            if (at >= text_.size()) return true;
            range.length = cf::utf8::unitsAt(text_, at);
        } else {
            if (range.location == 0) return true;
            range.length = cf::utf8::unitsAt(text_, cf::utf8::previousBoundary(text_, at));
            range.location -= range.length;
        }
        editor_->setSelectedRange(range);
    }
    replaceSelection("");
    textDidChange();
    return true;
}

void TextField::endEditing()
{
    if (editing_ && textShouldEndEditing(*editor_)) {
        editing_ = false;
        notifyChange(*this, Change::FirstResponder);
    }
}

} // namespace ui
