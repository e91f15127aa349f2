// Text editing through the field editor, counted in UTF-16 units.
#include "ui/TextField.h"

#include <algorithm>
#include <nlohmann/json.hpp>

namespace ui {

std::string validUTF8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    size_t i = 0;
    while (i < bytes.size()) {
        unsigned char c = static_cast<unsigned char>(bytes[i]);
        size_t width = c < 0x80 ? 1 : (c >= 0xC2 && c <= 0xDF) ? 2 : (c >= 0xE0 && c <= 0xEF) ? 3 : (c >= 0xF0 && c <= 0xF4) ? 4 : 0;
        bool valid = width > 0 && i + width <= bytes.size();
        for (size_t k = 1; valid && k < width; ++k)
            valid = (static_cast<unsigned char>(bytes[i + k]) & 0xC0) == 0x80;
        if (valid && width == 3) {
            unsigned char next = static_cast<unsigned char>(bytes[i + 1]);
            valid = !(c == 0xE0 && next < 0xA0) && !(c == 0xED && next >= 0xA0); // overlong, surrogate
        }
        if (valid && width == 4) {
            unsigned char next = static_cast<unsigned char>(bytes[i + 1]);
            valid = !(c == 0xF0 && next < 0x90) && !(c == 0xF4 && next >= 0x90);
        }
        if (valid) {
            out.append(bytes.substr(i, width));
            i += width;
        } else {
            out.append("\xEF\xBF\xBD");
            ++i;
        }
    }
    return out;
}

size_t utf16Length(std::string_view utf8)
{
    size_t units = 0;
    for (unsigned char c : utf8) {
        if ((c & 0xC0) == 0x80) continue;
        units += c >= 0xF0 ? 2 : 1;
    }
    return units;
}

size_t utf8OffsetOfUnit(std::string_view utf8, size_t units)
{
    size_t offset = 0;
    size_t counted = 0;
    while (offset < utf8.size() && counted < units) {
        unsigned char c = static_cast<unsigned char>(utf8[offset]);
        size_t width = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
        counted += c >= 0xF0 ? 2 : 1;
        offset = std::min(utf8.size(), offset + width);
    }
    return offset;
}

void Text::setSelectedRange(TextRange range)
{
    size_t length = utf16Length(field_.stringValue());
    range.location = std::min(range.location, length);
    range.length = std::min(range.length, length - range.location);
    if (range == selection_) return;
    selection_ = range;
    notifyChange(field_, Change::InsertionPoint);
}

const ClassInfo& TextField::staticClassInfo()
{
    static const ClassInfo info = ClassBuilder<TextField>("TextField", &Control::staticClassInfo())
                                      .property("text",
                                                [](TextField& field, const nlohmann::json& value) {
                                                    if (!value.is_string()) return false;
                                                    field.setStringValue(value.get<std::string>());
                                                    return true;
                                                })
                                      .property("editable",
                                                [](TextField& field, const nlohmann::json& value) {
                                                    if (!value.is_boolean()) return false;
                                                    field.setEditable(value.get<bool>());
                                                    return true;
                                                })
                                      .build();
    return info;
}

TextField::TextField() : editor_(std::make_unique<Text>(*this)) {}
TextField::~TextField() = default;

void TextField::setStringValue(std::string text)
{
    if (text != text_) {
        text_ = std::move(text);
        notifyChange(*this, Change::Text);
    }
    if (editing_) editor_->setSelectedRange(TextRange{utf16Length(text_), 0});
}

bool TextField::textShouldBeginEditing(Text&) { return true; }
bool TextField::textShouldEndEditing(Text&) { return true; }
void TextField::textDidChange() {}

bool TextField::beginEditing()
{
    if (!isEnabled() || !editable_) return false;
    if (editing_) return true;
    // A click into the field puts the insertion point at the end of its text.
    editor_->setSelectedRange(TextRange{utf16Length(text_), 0});
    if (!textShouldBeginEditing(*editor_)) return false;
    editing_ = true;
    notifyChange(*this, Change::FirstResponder);
    return true;
}

void TextField::replaceSelection(std::string_view text)
{
    TextRange range = editor_->selectedRange();
    size_t start = utf8OffsetOfUnit(text_, range.location);
    size_t end = utf8OffsetOfUnit(text_, range.location + range.length);
    text_.replace(start, end - start, text);
    notifyChange(*this, Change::Text);
    editor_->setSelectedRange(TextRange{range.location + utf16Length(text), 0});
}

bool TextField::userType(std::string_view typed)
{
    if (!beginEditing()) return false;
    const std::string valid = validUTF8(typed);
    std::string_view text = valid;
    size_t offset = 0;
    while (offset < text.size()) {
        unsigned char c = static_cast<unsigned char>(text[offset]);
        size_t width = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
        width = std::min(width, text.size() - offset);
        replaceSelection(text.substr(offset, width));
        textDidChange();
        offset += width;
    }
    return true;
}

bool TextField::userPaste(std::string_view text)
{
    if (!beginEditing()) return false;
    replaceSelection(validUTF8(text));
    textDidChange();
    return true;
}

bool TextField::userClear()
{
    if (!beginEditing()) return false;
    editor_->setSelectedRange(TextRange{0, utf16Length(text_)});
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
        size_t at = utf8OffsetOfUnit(text_, range.location);
        if (forward) {
            if (at >= text_.size()) return true;
            range.length = static_cast<unsigned char>(text_[at]) >= 0xF0 ? 2 : 1;
        } else {
            if (range.location == 0) return true;
            size_t before = at;
            while (before > 0 && (static_cast<unsigned char>(text_[--before]) & 0xC0) == 0x80) {
            }
            range.length = static_cast<unsigned char>(text_[before]) >= 0xF0 ? 2 : 1;
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
