// SPDX-License-Identifier: Apache-2.0
// Conversions through the same encodings one after another: a failed text leaves nothing behind for
// the next one, on any thread.
#include "cf/StringEncoding.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

using namespace cf;

struct Conversion {
    const char* name;
    bool decode; // else encode from UTF-8
    StringEncoding encoding;
    std::string input;
    std::optional<std::string> expected;
};

const Conversion kConversions[] = {
    {"Shift JIS cut inside a character", true, kCFStringEncodingShiftJIS, "\x82", std::nullopt},
    {"Shift JIS", true, kCFStringEncodingShiftJIS, "\x82\xA0", "\xE3\x81\x82"},
    {"malformed UTF-8", true, kCFStringEncodingUTF8, "a\xC3", std::nullopt},
    {"UTF-8", true, kCFStringEncodingUTF8, "\xC3\xA9", "\xC3\xA9"},
    {"not in Latin-1", false, kCFStringEncodingISOLatin1, "\xE3\x81\x82", std::nullopt},
    {"Latin-1", false, kCFStringEncodingISOLatin1, "\xC3\xA9", "\xE9"},
    {"Mac OS Roman", true, kCFStringEncodingMacRoman, "\x8E", "\xC3\xA9"},
    {"ASCII with a high byte", true, kCFStringEncodingASCII, "\xE9", std::nullopt},
    {"ASCII", true, kCFStringEncodingASCII, "plain", "plain"},
};

void convertAll()
{
    for (int round = 0; round < 3; ++round)
        for (const Conversion& c : kConversions) {
            auto out = c.decode ? decodeToUTF8(c.input, c.encoding) : encodeFromUTF8(c.input, c.encoding);
            EXPECT_EQ(c.expected, out) << c.name << ", round " << round;
        }
}

TEST(StringEncoding, EachTextConvertsAsIfAlone)
{
    convertAll();
}

TEST(StringEncoding, ThreadsConvertSideBySide)
{
    std::thread other(convertAll);
    convertAll();
    other.join();
}

} // namespace
