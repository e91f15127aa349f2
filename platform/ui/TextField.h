// SPDX-License-Identifier: Apache-2.0
// An editable (or static) line of text. Typing goes through the field editor and the editing hooks
// in the order the toolkit calls them: textShouldBeginEditing once, then per change textDidChange.
#pragma once

#include "Export.h"

#include "ui/Control.h"
#include "ui/Text.h"

#include <memory>
#include <string>
#include <string_view>

namespace ui {

class TL_EXPORT TextField : public Control {
    UI_DECLARE_CLASS()

public:
    TextField();
    ~TextField() override;

    const std::string& stringValue() const { return text_; }
    // Program call. While the field is being edited the insertion point moves to the end of the new text.
    void setStringValue(std::string text);
    bool isEditable() const { return editable_; }
    void setEditable(bool editable) { set(editable_, editable, Change::Enabled); }

    bool isEditing() const { return editing_; }
    // The field editor; its selection is meaningful while the field is being edited.
    Text& currentEditor() { return *editor_; }

    // Editing hooks; subclasses refine them. The base answers true and does nothing on a change.
    virtual bool textShouldBeginEditing(Text& editor);
    virtual bool textShouldEndEditing(Text& editor);
    virtual void textDidChange();

    // A person types text, one character at a time (each one a change); pastes text at the insertion
    // point (one change); or selects all the text and deletes it (one change). Nothing happens on a
    // disabled or static field, or when textShouldBeginEditing refuses.
    bool userType(std::string_view text);
    bool userPaste(std::string_view text);
    bool userClear();
    // A person moves into the field (click or Tab): editing begins with the insertion point at the end.
    bool userFocus() { return beginEditing(); }
    // A person moves the insertion point or selects while editing.
    void userSelect(TextRange range);
    // A person deletes the selection, or the character before (Backspace) or after (Delete) the
    // insertion point: one change.
    bool userDelete(bool forward);
    // Ends editing (the focus leaves the field).
    void endEditing();

private:
    bool beginEditing();
    void replaceSelection(std::string_view text);

    std::string text_;
    bool editable_ = true;
    bool editing_ = false;
    std::unique_ptr<Text> editor_;
};

} // namespace ui
