// SPDX-License-Identifier: Apache-2.0
// The layer's own XML reader and writer against libplist: the reader reads every document to what
// libplist reads from it (taking the usual ones itself), and the writer writes libplist's bytes.
#include "cf/Array.h"
#include "cf/Boolean.h"
#include "cf/Data.h"
#include "cf/Dictionary.h"
#include "cf/Number.h"
#include "cf/PlistLibrary.h"
#include "cf/PropertyList.h"
#include "cf/XmlPlistReader.h"
#include "cf/XmlPlistWriter.h"
#include "support/Process.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

std::string document(const std::string& body)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n" + body + "\n</plist>\n";
}

// How libplist writes a value: equal text, equal values.
std::string shown(const cf::Ref& value)
{
    return value ? cf::PlistLibrary::writeXml(value).value_or("(unwritable)") : "(nothing)";
}

// What plistlib writes for a value given as a Python expression.
std::string plistlibBytes(const std::string& expression)
{
    auto result = testproc::run({"/usr/bin/python3", "-c",
        "import plistlib, sys; sys.stdout.buffer.write(plistlib.dumps(" + expression + "))"});
    EXPECT_EQ(0, result.status) << result.err;
    return result.out;
}

TEST(OwnXmlPlist, ReadsWhatLibplistReads)
{
    const struct {
        const char* name;
        std::string bytes;
        bool ownReader; // false: left to libplist
    } cases[] = {
        {"plistlib's ticket",
            plistlibBytes("{'zq4410': {'q1': {'TLQuickColor': 'Photo'}}, 'copies': 2, 'scale': 0.1, 'big': -2**63, "
                          "'on': True, 'off': False, 'blob': bytes(range(60)), 'text': 'Caf\\u00e9 <&>', 'list': "
                          "[[], {}, ''], 'tiny': 1e-300}"),
            true},
        // The parser takes the bytes in pieces; values and tags cross the pieces' ends.
        {"a ticket many pieces long",
            plistlibBytes("{'key%05d' % i: [i, -2.5 * i, 'v' * (i % 40), bytes(i % 9), {'n': i}][i % 5] "
                          "for i in range(20000)}"),
            true},
        {"comments, CDATA and references in text",
            document("<dict><!-- c --><key>a&amp;&#x41;</key><string>x<![CDATA[<y>]]>&lt;&#233;</string></dict>"),
            true},
        {"a key set twice", document("<dict><key>k</key><string>1</string><key>k</key><integer>2</integer></dict>"),
            true},
        {"a reference inside a number", document("<integer>&#53;</integer>"), false},
        {"numbers in other spellings", document("<array><integer> 0x10 </integer><real>.5</real></array>"), false},
        {"minus zero", document("<array><integer>-0</integer><real>-0.0</real></array>"), false},
        {"beyond 64 bits", document("<integer>9223372036854775808</integer>"), false},
        {"a key without its value", document("<dict><key>a</key></dict>"), false},
        {"an empty key", document("<dict><key></key><string>1</string></dict>"), false},
        {"a carriage return", document("<string>a\r\nb</string>"), false},
        {"another encoding", "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><plist><string>caf\xE9</string></plist>",
            false},
        {"data without its padding", document("<data>AAE</data>"), false},
        {"a date", document("<dict><key>d</key><date>2020-01-01T00:00:00Z</date></dict>"), false},
        {"no plist element", "<dict><key>a</key><string>1</string></dict>", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.ownReader, cf::XmlPlistReader::read(c.bytes).has_value());
        EXPECT_EQ(shown(cf::PlistLibrary::read(c.bytes, cf::PropertyList::Unsupported::Refuse)),
            shown(cf::PropertyList::createFromData(c.bytes)));
    }
}

cf::Ref nested(cf::Ref leaf, int depth)
{
    for (int i = 0; i < depth; ++i) {
        auto array = cf::Array::create();
        array->append(std::move(leaf));
        leaf = array;
    }
    return leaf;
}

TEST(OwnXmlPlist, WritesTheBytesLibplistWrites)
{
    auto reals = cf::Array::create();
    for (double real : {0.1, -0.0, 1.0, 1e300, 1e-300, 123456789.0, 1e17, -2.5e-5,
             std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(), std::nan("")})
        reals->append(cf::Number::createReal(real));
    auto numbers = cf::Array::create();
    for (int64_t integer : {int64_t{0}, int64_t{-5}, std::numeric_limits<int64_t>::min()})
        numbers->append(cf::Number::create(integer));
    std::string bytes;
    for (int i = 0; i < 200; ++i) bytes += static_cast<char>(i * 7);
    auto texts = cf::Dictionary::create();
    texts->set("a<&>", cf::String::create("x < y & z > \x01\x7F \"'"));
    texts->set("", cf::String::create(std::string("cut\0here", 8)));
    texts->set(std::string("k\0first", 7), cf::Boolean::create(true));
    texts->set(std::string("k\0second", 8), cf::Boolean::create(false));
    texts->set("k", cf::Dictionary::create());
    auto otherKey = cf::Dictionary::create();
    otherKey->setWithKey(cf::Number::create(1), cf::String::create("x"));
    auto withNull = cf::Array::create();
    withNull->append(nullptr);
    const struct {
        const char* name;
        cf::Ref value;
    } cases[] = {
        {"reals", reals},
        {"integers", numbers},
        {"data at the top", cf::Data::create(bytes)},
        {"data one level down", nested(cf::Data::create(bytes), 1)},
        {"data nine levels down", nested(cf::Data::create(bytes), 9)},
        {"no data", nested(cf::Data::create(""), 2)},
        {"empty containers", nested(cf::Dictionary::create(), 1)},
        {"texts and keys", texts},
        {"a key that is no string", otherKey},
        {"a null value", withNull},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(cf::PlistLibrary::writeXml(c.value), cf::XmlPlistWriter::write(c.value));
    }
}

} // namespace
