// The text field model as a person edits it.
#include "ui/TextField.h"

#include <gtest/gtest.h>

namespace {

class Recording : public ui::TextField {
public:
    void textDidChange() override { ++changes; }
    int changes = 0;
};

TEST(TextFieldModel, TypingIsOneChangePerCharacterAndPastingOne)
{
    Recording field;
    field.userType("a\xC3\xA9\xF0\x9F\x98\x80");
    EXPECT_EQ(field.changes, 3);
    EXPECT_EQ(ui::utf16Length(field.stringValue()), 4u); // the emoji takes a surrogate pair
    EXPECT_EQ(field.currentEditor().selectedRange(), (ui::TextRange{4, 0}));
    field.userPaste("xyz");
    EXPECT_EQ(field.changes, 4);
    field.userClear();
    EXPECT_EQ(field.stringValue(), "");
}

TEST(TextFieldModel, MalformedBytesArriveAsReplacementCharacters)
{
    Recording field;
    field.userType(std::string("\xE0\n\x02", 3));
    EXPECT_EQ(field.stringValue(), "\xEF\xBF\xBD\n\x02");
    EXPECT_EQ(field.changes, 3);
    field.userPaste("\xC0\xAF\xED\xA0\x80");
    EXPECT_EQ(ui::utf16Length(field.stringValue()), 3u + 5u);
}

TEST(TextFieldModel, ProgramTextMovesTheInsertionPointToTheEndWhileEditing)
{
    Recording field;
    field.userType("abc");
    field.currentEditor().setSelectedRange({1, 0});
    field.setStringValue("longer text");
    EXPECT_EQ(field.currentEditor().selectedRange(), (ui::TextRange{11, 0}));
}

TEST(TextFieldModel, DisabledOrStaticFieldsTakeNoInput)
{
    Recording disabled;
    disabled.setEnabled(false);
    EXPECT_FALSE(disabled.userType("a"));
    Recording label;
    label.setEditable(false);
    EXPECT_FALSE(label.userPaste("a"));
    EXPECT_EQ(disabled.changes + label.changes, 0);
}

} // namespace

TEST(TextFieldModel, DeletingTakesWholeCharactersAroundTheInsertionPoint)
{
    Recording field;
    field.userType("a\xF0\x9F\x98\x80" "b");
    field.userSelect(ui::TextRange{3, 0}); // between the emoji and "b"
    field.userDelete(false);
    EXPECT_EQ(field.stringValue(), "ab");
    EXPECT_EQ(field.currentEditor().selectedRange(), (ui::TextRange{1, 0}));
    field.userDelete(true);
    field.userDelete(true); // nothing after the end
    EXPECT_EQ(field.stringValue(), "a");
    field.userSelect(ui::TextRange{0, 1});
    field.userDelete(true);
    EXPECT_EQ(field.stringValue(), "");
}
