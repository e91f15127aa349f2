// The filtered text field.
#include "controls/TLTextField.h"

#include "plugin/Classes.h"

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

bool TLTextField::textShouldEndEditing(ui::Text& editor) { return ui::TextField::textShouldEndEditing(editor); }

void TLTextField::textDidChange() {}

} // namespace tlco
