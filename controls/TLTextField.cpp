// SPDX-License-Identifier: Apache-2.0
// The filtered text field: every change is checked against the length and name.extension limits,
// refused changes are undone, refused characters dropped, and the operate control follows the text.
#include "controls/TLTextField.h"

#include "base/ClassName.h"
#include "cf/Utf8.h"
#include "controls/KeyFilter.h"

#include <algorithm>

namespace tlco {

const ui::ClassInfo& TLTextField::staticClassInfo()
{
    static const ui::ClassInfo info =
        ui::ClassBuilder<TLTextField>(registeredName("TLTextField"), &ui::TextField::staticClassInfo()).build();
    return info;
}

bool TLTextField::textShouldBeginEditing(ui::Text& editor)
{
    oldValue = stringValue();
    textObj = &editor;
    return ui::TextField::textShouldBeginEditing(editor);
}

bool TLTextField::textShouldEndEditing(ui::Text& editor)
{
    return ui::TextField::textShouldEndEditing(editor);
}

void TLTextField::textDidChange()
{
    ui::Text& editor = textObj ? *textObj : currentEditor();
    const size_t formerStart = editor.selectedRange().location;
    const std::u16string text = cf::utf8::toUtf16(stringValue());
    const auto n = static_cast<int64_t>(text.size());
    const size_t stop = text.find(u'.');
    const bool hasStop = stop != std::u16string::npos;
    // The longest name before the full stop (and, without one, of the whole text) when the text has
    // a name.extension shape.
    const int64_t nameLimit = int64_t{maxLen} - 1 - maxExtension;

    bool accepted = true;
    const int64_t limit = maxExtension > 0 && !hasStop ? nameLimit : maxLen;
    if (n > limit) {
        accepted = false;
    } else if (maxExtension > 0 && hasStop) {
        if (static_cast<int64_t>(stop) > nameLimit) accepted = false;
        if (n - static_cast<int64_t>(stop) > int64_t{maxExtension} + 1) accepted = false;
        if (accepted && n > 1 && text.find(u'.', stop + 1) != std::u16string::npos) accepted = false;
    }

    if (!accepted) {
        // Back to the last accepted text, the insertion point where the refused change began.
        const auto oldLength = static_cast<int64_t>(cf::utf8::toUtf16(oldValue).size());
        setStringValue(oldValue);
        const int64_t caret = std::clamp<int64_t>(static_cast<int64_t>(formerStart) - (n - oldLength), 0, oldLength);
        editor.setSelectedRange(ui::TextRange{static_cast<size_t>(caret), 0});
    } else if (n > 0) {
        std::u16string filtered = text;
        CheckUniCharString(text.data(), text.size(), inputkey, filtered);
        if (filtered != text) {
            // The insertion point keeps its place among the characters that stay.
            const std::u16string before = text.substr(0, std::min(formerStart, text.size()));
            std::u16string keptBefore = before;
            CheckUniCharString(before.data(), before.size(), inputkey, keptBefore);
            setStringValue(cf::utf8::fromUtf16(filtered));
            editor.setSelectedRange(ui::TextRange{keptBefore.size(), 0});
        }
    }

    if (operateOutlet) {
        const std::u16string now = cf::utf8::toUtf16(stringValue());
        const size_t firstStop = now.find(u'.');
        const bool usable = firstStop == std::u16string::npos ? !now.empty() : firstStop > 0;
        if (operateOutlet->isEnabled() != usable) operateOutlet->setEnabled(usable);
    }

    if (accepted) oldValue = stringValue();
}

} // namespace tlco
