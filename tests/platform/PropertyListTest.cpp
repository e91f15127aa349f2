// SPDX-License-Identifier: Apache-2.0
// Property lists through libplist: what the files this system reads and writes may hold.
#include "cf/PropertyList.h"
#include "cf/Array.h"
#include "cf/Boolean.h"
#include "cf/Dictionary.h"
#include "cf/File.h"
#include "cf/Number.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string wrap(const std::string& body)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">" + body + "</plist>";
}

// A binary property list ("bplist00") of the given objects, the first being the root; object
// references are 2 bytes and offsets 4 bytes wide.
std::string binaryPlist(const std::vector<std::string>& objects)
{
    std::string out = "bplist00";
    std::vector<uint32_t> offsets;
    for (const std::string& object : objects) {
        offsets.push_back(static_cast<uint32_t>(out.size()));
        out += object;
    }
    const uint64_t table = out.size();
    for (uint32_t offset : offsets)
        for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>(offset >> shift & 0xFF);
    std::string trailer(32, '\0');
    trailer[6] = 4;
    trailer[7] = 2;
    for (int i = 0; i < 8; ++i) {
        trailer[8 + i] = static_cast<char>(uint64_t{objects.size()} >> (56 - 8 * i) & 0xFF);
        trailer[24 + i] = static_cast<char>(table >> (56 - 8 * i) & 0xFF);
    }
    return out + trailer;
}

std::string ref(size_t object)
{
    return {static_cast<char>(object >> 8), static_cast<char>(object & 0xFF)};
}

// Arrays nested `depth` deep, each holding the next.
std::string nestedBinaryArrays(size_t depth)
{
    std::vector<std::string> objects;
    for (size_t i = 0; i + 1 < depth; ++i) objects.push_back("\xA1" + ref(i + 1));
    objects.push_back("\xA0");
    return binaryPlist(objects);
}

std::string nestedXmlDictionaries(size_t depth)
{
    std::string body;
    for (size_t i = 0; i < depth; ++i) body += "<dict><key>k</key>";
    body += "<true/>";
    for (size_t i = 0; i < depth; ++i) body += "</dict>";
    return wrap(body);
}

// {key: "x", "ok": 1}, the key given as the marker and bytes of a binary string object.
std::string binaryDictionaryWithKey(const std::string& keyObject)
{
    return binaryPlist(
        {std::string("\xD2") + ref(1) + ref(2) + ref(3) + ref(4), keyObject, "\x52ok", "\x51x", "\x10\x01"});
}

TEST(PropertyList, RoundTripsEveryKindOfValue)
{
    auto root = cf::Dictionary::create();
    root->set("text", cf::String::create("Caf\xC3\xA9 <&>"));
    root->set("negative", cf::Number::create(-5));
    root->set("large", cf::Number::create(int64_t{1} << 40));
    root->set("flag", cf::Boolean::create(true));
    auto list = cf::Array::create();
    list->append(cf::String::create(""));
    list->append(cf::Dictionary::create());
    root->set("list", list);

    auto xml = cf::PropertyList::createXMLData(root);
    ASSERT_TRUE(xml);
    auto back = cf::as<cf::Dictionary>(cf::PropertyList::createFromData(*xml));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->getString("text")->utf8(), "Caf\xC3\xA9 <&>");
    EXPECT_EQ(cf::as<cf::Number>(back->get("negative"))->int32Value(), -5);
    EXPECT_EQ(cf::as<cf::Number>(back->get("large"))->int64Value(), int64_t{1} << 40);
    EXPECT_TRUE(cf::as<cf::Boolean>(back->get("flag"))->value());
    EXPECT_EQ(cf::as<cf::Array>(back->get("list"))->count(), 2u);
}

TEST(PropertyList, DamagedBytesGiveNothingRatherThanACrash)
{
    for (const std::string& bytes :
        {std::string(), std::string("not a plist"), wrap("<dict><key>a</key>"), wrap("<integer>x</integer>"),
            wrap(std::string("<string>a\0b</string>", 20)), wrap("<array><key>k</key></array>")}) {
        cf::Ref value = cf::PropertyList::createFromData(bytes);
        if (value) {
            EXPECT_NE(value->typeID(), cf::TypeID::Dictionary) << bytes;
        }
    }
}

TEST(PropertyList, NonStringKeysCannotBeWritten)
{
    auto root = cf::Dictionary::create();
    root->setWithKey(cf::Number::create(1), cf::String::create("x"));
    EXPECT_FALSE(cf::PropertyList::createXMLData(root));
}

TEST(PropertyList, AtomicWriteReplacesTheFileAndLeavesNoTemporary)
{
    fs::path folder = fs::path(::testing::TempDir()) / "atomic";
    fs::remove_all(folder);
    fs::create_directories(folder);
    std::string path = (folder / "file.plist").string();
    ASSERT_TRUE(cf::File::replace(path, "first", 0664));
    ASSERT_TRUE(cf::File::replace(path, "second", 0664));
    EXPECT_EQ(*cf::File::read(path), "second");
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
        fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read | fs::perms::group_write |
            fs::perms::others_read);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
    // A folder that does not exist: the write fails and leaves nothing.
    EXPECT_FALSE(cf::File::replace((folder / "missing" / "f").string(), "x", 0664));

    // Temporaries of a killed write go at the next one; a fresh one may belong to a write under way.
    const fs::path stale = folder / "file.plist.Ab3xYz", fresh = folder / "file.plist.Qr7sTu";
    const fs::path other = folder / "other.plist.Ab3xYz";
    for (const fs::path& temp : {stale, fresh, other}) std::ofstream(temp) << "torn";
    for (const fs::path& old : {stale, other})
        fs::last_write_time(old, fs::file_time_type::clock::now() - std::chrono::minutes(5));
    ASSERT_TRUE(cf::File::replace(path, "third", 0664));
    EXPECT_FALSE(fs::exists(stale));
    EXPECT_TRUE(fs::exists(fresh));
    EXPECT_TRUE(fs::exists(other));
}

TEST(PropertyList, HostileInputIsRefusedOrTrimmedNeverACrash)
{
    const std::string dateInside = wrap("<dict><key>ok</key><integer>1</integer><key>when</key>"
                                        "<date>2020-01-01T00:00:00Z</date><key>list</key><array><date>"
                                        "2020-01-01T00:00:00Z</date><string>s</string></array></dict>");
    struct Case {
        const char* name;
        std::string bytes;
        cf::PropertyList::Unsupported unsupported;
        // The keys of the root dictionary read; nothing when the input must be refused.
        std::optional<std::vector<std::string>> keys;
    };
    const Case cases[] = {
        {"XML nested 256 deep", nestedXmlDictionaries(255), cf::PropertyList::Unsupported::Refuse, {{"k"}}},
        {"XML nested 40000 deep", nestedXmlDictionaries(40000), cf::PropertyList::Unsupported::Refuse, std::nullopt},
        {"binary nested 40000 deep", nestedBinaryArrays(40000), cf::PropertyList::Unsupported::Refuse, std::nullopt},
        {"binary key with U+0000", binaryDictionaryWithKey(std::string("\x62\x00\xE9\x00\x00", 5)),
            cf::PropertyList::Unsupported::Refuse, {{"ok"}}},
        {"binary ASCII key with NUL",
            binaryDictionaryWithKey(std::string("\x53"
                                                "a\0b",
                4)),
            cf::PropertyList::Unsupported::Refuse, {{"ok"}}},
        {"binary key, no NUL",
            binaryDictionaryWithKey("\x53"
                                    "abc"),
            cf::PropertyList::Unsupported::Refuse, {{"abc", "ok"}}},
        {"date, refused", dateInside, cf::PropertyList::Unsupported::Refuse, std::nullopt},
        {"date, skipped", dateInside, cf::PropertyList::Unsupported::Skip, {{"list", "ok"}}},
        {"reals beyond int64",
            wrap("<dict><key>big</key><real>1e300</real><key>nan</key><real>nan</real>"
                 "<key>low</key><real>-1e300</real></dict>"),
            cf::PropertyList::Unsupported::Refuse, {{"big", "low", "nan"}}},
    };
    EXPECT_TRUE(cf::as<cf::Array>(cf::PropertyList::createFromData(nestedBinaryArrays(200))));
    for (const Case& c : cases) {
        auto root = cf::as<cf::Dictionary>(cf::PropertyList::createFromData(c.bytes, c.unsupported));
        ASSERT_EQ(c.keys.has_value(), root != nullptr) << c.name;
        if (!root) continue;
        std::vector<std::string> keys;
        for (const auto& [key, value] : root->stringEntries()) keys.push_back(key);
        EXPECT_EQ(*c.keys, keys) << c.name;
    }
}

TEST(PropertyList, RealsOutsideTheIntegerRangeSaturate)
{
    EXPECT_EQ(std::numeric_limits<int64_t>::max(), cf::Number(1e300).int64Value());
    EXPECT_EQ(std::numeric_limits<int64_t>::min(), cf::Number(-1e300).int64Value());
    EXPECT_EQ(0, cf::Number(std::nan("")).int64Value());
    EXPECT_EQ(-3, cf::Number(-3.9).int64Value());
}

} // namespace
