// SPDX-License-Identifier: Apache-2.0
// The text field model as a person edits it.
#include "cf/Utf8.h"
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
    EXPECT_EQ(cf::utf8::utf16Length(field.stringValue()), 4u); // the emoji takes a surrogate pair
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
    EXPECT_EQ(cf::utf8::utf16Length(field.stringValue()), 3u + 5u);
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
    field.userType("a\xF0\x9F\x98\x80"
                   "b");
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

// Text set by the program may hold malformed bytes; each counts as one unit, so the field's length,
// its insertion point and what a deletion removes agree.
TEST(TextFieldModel, MalformedProgramTextIsEditedByteByByte)
{
    struct Case {
        const char* name;
        std::string text;
        size_t length;
        bool forward;
        size_t at;
        std::string after;
    };
    const Case cases[] = {
        {"backspace after a four-byte lead",
            "\xF0"
            "abc",
            4, false, 4,
            "\xF0"
            "ab"},
        {"backspace over a stray byte", "ab\x80", 3, false, 3, "ab"},
        {"delete a four-byte lead",
            "\xF0"
            "abc",
            4, true, 0, "abc"},
        {"delete a truncated character",
            "a\xE2\x82"
            "b",
            4, true, 1,
            "a\x82"
            "b"},
        {"backspace after a character and a stray byte",
            "\xC3\xA9\x80"
            "z",
            3, false, 2,
            "\xC3\xA9"
            "z"},
    };
    for (const Case& c : cases) {
        Recording field;
        field.setStringValue(c.text);
        field.userFocus();
        EXPECT_EQ(field.currentEditor().selectedRange(), (ui::TextRange{c.length, 0})) << c.name;
        field.userSelect(ui::TextRange{c.at, 0});
        field.userDelete(c.forward);
        EXPECT_EQ(field.stringValue(), c.after) << c.name;
    }
}
