// SPDX-License-Identifier: Apache-2.0
// The one UTF-8 reader: what each class of bytes reads as, where cuts and UTF-16 positions land.
#include "cf/Utf8.h"

#include <gtest/gtest.h>

namespace {

using cf::utf8::Form;

#define R "\xEF\xBF\xBD" // U+FFFD

struct ByteClass {
    const char* name;
    std::string bytes;
    Form form; // of the first sequence
    size_t length;
    std::string repaired;
    size_t units;
};

const ByteClass kClasses[] = {
    {"ASCII", "a", Form::Valid, 1, "a", 1},
    {"two bytes", "\xC3\xA9", Form::Valid, 2, "\xC3\xA9", 1},
    {"three bytes", "\xE2\x82\xAC", Form::Valid, 3, "\xE2\x82\xAC", 1},
    {"four bytes", "\xF0\x9F\x98\x80", Form::Valid, 4, "\xF0\x9F\x98\x80", 2},
    {"last code point", "\xF4\x8F\xBF\xBF", Form::Valid, 4, "\xF4\x8F\xBF\xBF", 2},
    {"stray continuation", "\x80", Form::Invalid, 1, R, 1},
    {"overlong two", "\xC0\xAF", Form::Invalid, 1, R R, 2},
    {"overlong three", "\xE0\x80\xAF", Form::Invalid, 1, R R R, 3},
    {"overlong four", "\xF0\x80\x80\xAF", Form::Invalid, 1, R R R R, 4},
    {"surrogate", "\xED\xA0\x80", Form::Invalid, 1, R R R, 3},
    {"above U+10FFFF", "\xF4\x90\x80\x80", Form::Invalid, 1, R R R R, 4},
    {"lead F5", "\xF5\x80\x80\x80", Form::Invalid, 1, R R R R, 4},
    {"byte FF", "\xFF", Form::Invalid, 1, R, 1},
    {"lead before ASCII",
        "\xC3"
        "a",
        Form::Invalid, 1, R "a", 2},
    {"four-byte lead before ASCII",
        "\xF0"
        "ab",
        Form::Invalid, 1, R "ab", 3},
    {"truncated at the end", "\xE2\x82", Form::Incomplete, 2, R R, 2},
    {"lone lead E0 at the end", "\xE0", Form::Incomplete, 1, R, 1},
    {"lone lead ED at the end", "\xED", Form::Incomplete, 1, R, 1},
    {"lone lead F4 at the end", "\xF4", Form::Incomplete, 1, R, 1},
    {"overlong start at the end", "\xE0\x80", Form::Invalid, 1, R R, 2},
    {"surrogate start at the end", "\xED\xA0", Form::Invalid, 1, R R, 2},
    {"too high start at the end", "\xF4\x90", Form::Invalid, 1, R R, 2},
};

TEST(Utf8, ReadsEachClassOfBytes)
{
    for (const ByteClass& c : kClasses) {
        SCOPED_TRACE(c.name);
        const cf::utf8::Sequence sequence = cf::utf8::sequenceAt(c.bytes, 0);
        EXPECT_EQ(c.form, sequence.form);
        EXPECT_EQ(c.length, sequence.length);
        EXPECT_EQ(c.form == Form::Valid && c.length == c.bytes.size(), cf::utf8::isValid(c.bytes));
        EXPECT_EQ(c.repaired, cf::utf8::repaired(c.bytes));
        EXPECT_EQ(c.units, cf::utf8::utf16Length(c.bytes));
        EXPECT_EQ(c.units, cf::utf8::toUtf16(c.bytes).size());
        EXPECT_EQ(c.bytes.size(), cf::utf8::offsetOfUnit(c.bytes, c.units));
        EXPECT_EQ(c.repaired, cf::utf8::fromUtf16(cf::utf8::toUtf16(c.bytes)));
    }
}

struct Position {
    const char* name;
    std::string text;
    size_t at;
    size_t expected;
};

const Position kCuts[] = {
    {"bound past the end", "abc", 10, 3},
    {"inside two bytes", "ab\xC3\xA9", 3, 2},
    {"after two bytes", "ab\xC3\xA9", 4, 4},
    {"inside four bytes",
        "a\xF0\x9F\x98\x80"
        "b",
        4, 1},
    {"after four bytes",
        "a\xF0\x9F\x98\x80"
        "b",
        5, 5},
    {"between stray bytes", "a\x80\x80\x80", 2, 2},
    {"stray byte after a character", "\xC3\xA9\x80\x80", 3, 3},
    {"zero", "\xC3\xA9", 0, 0},
};

TEST(Utf8, CutsBetweenCharacters)
{
    for (const Position& c : kCuts) EXPECT_EQ(c.expected, cf::utf8::boundaryAtOrBefore(c.text, c.at)) << c.name;
}

const Position kOffsets[] = {
    {"before a pair",
        "a\xF0\x9F\x98\x80"
        "b",
        1, 1},
    {"inside a pair",
        "a\xF0\x9F\x98\x80"
        "b",
        2, 5},
    {"after a pair",
        "a\xF0\x9F\x98\x80"
        "b",
        3, 5},
    {"past the end",
        "a\xF0\x9F\x98\x80"
        "b",
        9, 6},
    {"four-byte lead before ASCII",
        "\xF0"
        "ab",
        2, 2},
    {"stray bytes",
        "\x80\x80"
        "c",
        2, 2},
};

TEST(Utf8, FindsTheByteOfAUnit)
{
    for (const Position& c : kOffsets) EXPECT_EQ(c.expected, cf::utf8::offsetOfUnit(c.text, c.at)) << c.name;
}

const Position kPrevious[] = {
    {"ASCII", "ab", 2, 1},
    {"two bytes", "a\xC3\xA9", 3, 1},
    {"four bytes", "a\xF0\x9F\x98\x80", 5, 1},
    {"stray byte", "a\xC3\xA9\x80", 4, 3},
    {"truncated at the end", "a\xF0\x9F\x98", 4, 3},
};

TEST(Utf8, StepsBackOneCharacter)
{
    for (const Position& c : kPrevious) EXPECT_EQ(c.expected, cf::utf8::previousBoundary(c.text, c.at)) << c.name;
}

struct FromUtf16 {
    const char* name;
    std::u16string units;
    std::string expected;
};

const FromUtf16 kFromUtf16[] = {
    {"basic plane", u"a\u00E9\u20AC", "a\xC3\xA9\xE2\x82\xAC"},
    {"pair", u"\xD83D\xDE00", "\xF0\x9F\x98\x80"},
    {"lone lead", {0xD83D, u'a'}, R "a"},
    {"lone lead at the end", {u'a', 0xD83D}, "a" R},
    {"lone trail", {0xDE00, u'a'}, R "a"},
    {"trail before lead", {0xDE00, 0xD83D}, R R},
};

TEST(Utf8, BuildsFromUtf16)
{
    for (const FromUtf16& c : kFromUtf16) {
        EXPECT_EQ(c.expected, cf::utf8::fromUtf16(c.units)) << c.name;
        EXPECT_TRUE(cf::utf8::isValid(cf::utf8::fromUtf16(c.units))) << c.name;
    }
}

} // namespace
