// SPDX-License-Identifier: Apache-2.0
// The filtered text field through a person's typing, pasting and clearing: length and
// name.extension limits, dropped characters, the insertion point, and the operate control.
#include "controls/KeyFilter.h"
#include "controls/TLTextField.h"
#include "ui/Button.h"

#include <gtest/gtest.h>

using namespace tlco;

namespace {

struct Field : ::testing::Test {
    // The profile window's file name field: 12 in all, extension 3, file-name characters.
    void fileName()
    {
        field.setMaxLength(12, 3);
        field.setInputKey(kInputKindFileName);
        field.setOperateControl(&ok);
        ok.setEnabled(false);
    }
    // The profile name field: 30, no extension, printable ASCII.
    void profileName()
    {
        field.setMaxLength(30, 0);
        field.setInputKey(kInputKindAscii);
    }
    size_t caret() { return field.currentEditor().selectedRange().location; }

    TLTextField field;
    ui::Button ok;
};

TEST_F(Field, FileNameHoldsEightThenFullStopThenThree)
{
    fileName();
    field.userType("ABCDEFGH");
    EXPECT_EQ(field.stringValue(), "ABCDEFGH");
    field.userType("I"); // a ninth character without a full stop
    EXPECT_EQ(field.stringValue(), "ABCDEFGH");
    field.userType(".ICC");
    EXPECT_EQ(field.stringValue(), "ABCDEFGH.ICC");
    field.userType("X"); // a fourth after the full stop
    EXPECT_EQ(field.stringValue(), "ABCDEFGH.ICC");
    EXPECT_TRUE(ok.isEnabled());
}

TEST_F(Field, FullStopAfterMoreThanEightIsRefused)
{
    fileName();
    field.userType("ABCD");
    field.currentEditor().setSelectedRange({0, 0});
    field.userType("."); // four after it: too long an extension
    EXPECT_EQ(field.stringValue(), "ABCD");
    EXPECT_EQ(caret(), 0u);
    field.currentEditor().setSelectedRange({1, 0});
    field.userType(".");
    EXPECT_EQ(field.stringValue(), "A.BCD");
    field.userClear();
    field.userType("ABCDEFGH");
    field.currentEditor().setSelectedRange({8, 0});
    field.userPaste("I.C"); // 9 before the full stop, 11 in all: refused as a whole
    EXPECT_EQ(field.stringValue(), "ABCDEFGH");
    EXPECT_EQ(caret(), 8u);
}

TEST_F(Field, SecondFullStopIsRefusedAnywhere)
{
    fileName();
    field.userType("AB.C");
    field.currentEditor().setSelectedRange({1, 0});
    field.userType(".");
    EXPECT_EQ(field.stringValue(), "AB.C");
    EXPECT_EQ(caret(), 1u); // back where it was typed
    field.currentEditor().setSelectedRange({4, 0});
    field.userType(".");
    EXPECT_EQ(field.stringValue(), "AB.C");
}

TEST_F(Field, LeadingFullStopKeepsTheOperateControlOffUntilANameStandsBeforeIt)
{
    fileName();
    field.userType(".");
    EXPECT_EQ(field.stringValue(), ".");
    EXPECT_FALSE(ok.isEnabled());
    field.userType("ICC");
    EXPECT_FALSE(ok.isEnabled());
    field.currentEditor().setSelectedRange({0, 0});
    field.userType("A");
    EXPECT_EQ(field.stringValue(), "A.ICC");
    EXPECT_TRUE(ok.isEnabled());
    field.userClear();
    EXPECT_EQ(field.stringValue(), "");
    EXPECT_FALSE(ok.isEnabled());
    field.userType("P");
    EXPECT_TRUE(ok.isEnabled());
}

TEST_F(Field, RefusedCharactersDisappearTypedOrPasted)
{
    fileName();
    field.userType("A B*C\xC3\xA9");
    EXPECT_EQ(field.stringValue(), "ABC");
    field.userPaste("D E.I");
    field.userPaste("|C");
    EXPECT_EQ(field.stringValue(), "ABCDE.IC");
    EXPECT_TRUE(ok.isEnabled());
    // Limits count the text as pasted, before anything is dropped.
    field.userPaste("\xF0\x9F\x98\x80");
    EXPECT_EQ(field.stringValue(), "ABCDE.IC");
}

TEST_F(Field, InsertionPointStaysAmongTheKeptCharacters)
{
    fileName();
    field.userType("ACD");
    field.currentEditor().setSelectedRange({1, 0});
    field.userPaste("* B");
    EXPECT_EQ(field.stringValue(), "ABCD");
    EXPECT_EQ(caret(), 2u);
    field.userType("x");
    EXPECT_EQ(field.stringValue(), "ABxCD");
}

TEST_F(Field, ARefusedChangeRevertsToTheTextSetFromOutside)
{
    fileName();
    field.userType("ABC");
    field.setStringValue("PROF1.ICC");
    field.setOldString("PROF1.ICC");
    field.userType("X"); // a fourth after the full stop
    EXPECT_EQ(field.stringValue(), "PROF1.ICC");
}

TEST_F(Field, ProfileNameTakesThirtyPrintableCharacters)
{
    profileName();
    field.userType("My Office Profile 2024 ABCDEFG"); // 30
    EXPECT_EQ(field.stringValue().size(), 30u);
    field.userType("H");
    EXPECT_EQ(field.stringValue(), "My Office Profile 2024 ABCDEFG");
    field.userClear();
    field.userType("Caf\xC3\xA9 Noir. v1.2");
    EXPECT_EQ(field.stringValue(), "Caf Noir. v1.2"); // no name.extension shape: full stops are free
}

TEST_F(Field, NumericAndUnlistedKinds)
{
    field.setMaxLength(10, 0);
    field.setInputKey(kInputKindNumeric);
    field.userType("1a2 3.");
    EXPECT_EQ(field.stringValue(), "123");
    TLTextField wide;
    wide.setMaxLength(10, 0);
    wide.setInputKey(4);
    wide.userPaste("\"a+b\" \xC3\xA9");
    EXPECT_EQ(wide.stringValue(), "ab \xC3\xA9");
}

TEST_F(Field, DisabledFieldTakesNothing)
{
    fileName();
    field.setEnabled(false);
    EXPECT_FALSE(field.userType("ABC"));
    EXPECT_EQ(field.stringValue(), "");
    EXPECT_FALSE(ok.isEnabled());
}

} // namespace
