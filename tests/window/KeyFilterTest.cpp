// SPDX-License-Identifier: Apache-2.0
// The character tests of the filtered text field: what each input kind accepts, characters at a
// UTF-16 index (surrogate halves included), and the removal of refused characters.
#include "controls/KeyFilter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace tlco;

namespace {

// Every code from 0 to 0x7F that the kind accepts, as a string.
std::string acceptedAscii(int32_t kind)
{
    std::string accepted;
    for (uint32_t c = 0; c < 0x80; ++c)
        if (FilterEditTextInputKey(kind, c)) accepted += static_cast<char>(c);
    return accepted;
}

std::string printableExcept(const std::string& refused, uint32_t first = 0x20)
{
    std::string out;
    for (uint32_t c = first; c <= 0x7E; ++c)
        if (refused.find(static_cast<char>(c)) == std::string::npos) out += static_cast<char>(c);
    return out;
}

TEST(KeyFilter, AsciiAcceptedByEachKind)
{
    const std::string digits = "0123456789";
    const std::string alnum = digits + "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    EXPECT_EQ(acceptedAscii(kInputKindAscii), printableExcept(""));
    EXPECT_EQ(acceptedAscii(kInputKindFileName), printableExcept("\"*+,/:;<=>?@[\\]|", 0x21));
    EXPECT_EQ(acceptedAscii(kInputKindFileName).size(), 62u + 16u);
    EXPECT_EQ(acceptedAscii(kInputKindAlphaNumeric), alnum);
    EXPECT_EQ(acceptedAscii(kInputKindNumeric), digits);
    std::string wide;
    for (uint32_t c = 0; c < 0x80; ++c)
        if (c != '"' && c != '+') wide += static_cast<char>(c);
    EXPECT_EQ(acceptedAscii(4), wide);
    EXPECT_EQ(acceptedAscii(-1), wide);
}

TEST(KeyFilter, OnlyTheWideKindTakesCharactersBeyondAscii)
{
    for (uint32_t c : {0x7Fu, 0xA0u, 0xE9u, 0x3042u, 0xFFFDu, 0x1F600u, 0x10000u}) {
        for (int32_t kind : {0, 1, 2, 3}) EXPECT_FALSE(FilterEditTextInputKey(kind, c)) << kind << " " << c;
        EXPECT_TRUE(FilterEditTextInputKey(7, c)) << c;
        EXPECT_TRUE(WideCharKeyFilter(c));
    }
    EXPECT_EQ(NumericKeyFilter('5'), 1);
    EXPECT_EQ(AlphaNumericKeyFilter('_'), 0);
    EXPECT_EQ(AsciiKeyFilter(' '), 1);
    EXPECT_EQ(AsciiKeyFilterAppoint(' '), 0);
}

TEST(KeyFilter, CharacterAtIndexCombinesSurrogateUnits)
{
    // "a", U+1F600 as a pair, "é".
    const std::u16string units = u"a\U0001F600\u00E9";
    ASSERT_EQ(units.size(), 4u);
    size_t next = 99;
    EXPECT_EQ(UCFindComposedCharAtIndex(units.data(), units.size(), 0, &next), u'a');
    EXPECT_EQ(next, 1u);
    EXPECT_EQ(UCFindComposedCharAtIndex(units.data(), units.size(), 1, &next), 0x1F600u);
    EXPECT_EQ(next, 2u); // one unit at a time, also after a surrogate
    // The low half combines with whatever follows it; still a code beyond the plane.
    EXPECT_EQ(
        UCFindComposedCharAtIndex(units.data(), units.size(), 2, &next), ((0xDE00u & 0x3FF) << 10 | 0xE9) + 0x10000);
    EXPECT_EQ(UCFindComposedCharAtIndex(units.data(), units.size(), 3, nullptr), 0xE9u);
    // A high surrogate as the last unit pairs with 0.
    const std::u16string lone = u"x\xD83D";
    EXPECT_EQ(UCFindComposedCharAtIndex(lone.data(), lone.size(), 1, nullptr), ((0xD83Du & 0x3FF) << 10) + 0x10000);
    EXPECT_EQ(UCFindComposedCharAtIndex(nullptr, 3, 0, nullptr), 0u);
    EXPECT_EQ(UCFindComposedCharAtIndex(units.data(), units.size(), 4, nullptr), 0u);
}

struct Removal {
    const char* name;
    int32_t kind;
    std::u16string in;
    std::u16string out;
};

TEST(KeyFilter, CheckUniCharStringRemovesRefusedCharacters)
{
    const std::vector<Removal> cases = {
        {"file name drops space, star and accent", kInputKindFileName, u"A B*C\u00E9.ICC", u"ABC.ICC"},
        {"ascii keeps space, drops accent", kInputKindAscii, u"My Profile \u00E9!", u"My Profile !"},
        {"both surrogate halves go", kInputKindAscii, u"a\U0001F600b", u"ab"},
        {"numeric keeps digits", kInputKindNumeric, u"a1-2 3x", u"123"},
        {"alphanumeric", kInputKindAlphaNumeric, u"a_1.B", u"a1B"},
        {"unlisted kind drops quote and plus only", 9, u"\"a+b\" \u00E9\U0001F600", u"ab \u00E9\U0001F600"},
        {"everything refused", kInputKindNumeric, u"abc", u""},
    };
    for (const Removal& c : cases) {
        std::u16string text = c.in;
        CheckUniCharString(c.in.data(), c.in.size(), c.kind, text);
        EXPECT_EQ(text, c.out) << c.name;
    }
    std::u16string untouched = u"abc";
    CheckUniCharString(nullptr, 3, kInputKindNumeric, untouched);
    CheckUniCharString(untouched.data(), 0, kInputKindNumeric, untouched);
    EXPECT_EQ(untouched, u"abc");
}

} // namespace
