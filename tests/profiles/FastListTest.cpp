// SPDX-License-Identifier: Apache-2.0
// The profile list file's own reader and writer against the general property-list reader and writer:
// the same bytes written, the same lists read, and a fall-back for what the own reader does not take.
#include "ProfileFixtures.h"

#include "cf/PropertyList.h"
#include "profiles/store/FastListReader.h"
#include "profiles/store/FastListWriter.h"
#include "profiles/store/PlistXmlCheck.h"
#include "profiles/store/StoredListsFromTree.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>

using namespace tlco;
using namespace profiletest;

namespace {

struct SampleLists {
    std::unique_ptr<ProfileList> rgb, sim, dst;
};

SampleLists sampleLists()
{
    auto rgb = list({item(3, kStatePrinterPresentShown, "PROFILE1.ICC", "Office & <home>", kLocationDisk, 1),
        item(-7, kStateUserShown, "\xE6\x97\xA5.ICM", "", kLocationCard, INT32_MIN),
        item(INT32_MAX, kStateUser, "TAB\tNL\n.ICC", "\xE6\x97", 3, 2)});
    auto sim = list({item(12, kStatePrinterPresent, "BAD\xFF.ICC", std::string(31, 'n'))});
    return {std::move(rgb), std::move(sim), list()};
}

std::string sampleBytes()
{
    SampleLists lists = sampleLists();
    return writeListsXml(*lists.rgb, *lists.sim, *lists.dst);
}

// The general reader, handed XML as the store hands it: checked and made UTF-8 first.
std::unique_ptr<StoredLists> generalRead(const std::string& bytes)
{
    auto xml = checkedPlistXml(bytes, nullptr);
    if (!xml) return nullptr;
    auto root = cf::as<cf::Dictionary>(cf::PropertyList::createFromData(*xml, cf::PropertyList::Unsupported::Skip));
    return root ? storedListsFromTree(*root) : nullptr;
}

std::string replaced(std::string text, const std::string& from, const std::string& to)
{
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

TEST(FastList, WrittenBytesAreThoseOfTheGeneralWriter)
{
    const std::string bytes = sampleBytes();
    cf::Ref tree = cf::PropertyList::createFromData(bytes);
    ASSERT_TRUE(tree);
    EXPECT_EQ(cf::PropertyList::createXMLData(tree).value_or(""), bytes);

    // What a save keeps as the file's lists is what reading the file gives.
    SampleLists lists = sampleLists();
    auto read = readListsFast(bytes);
    ASSERT_TRUE(read);
    EXPECT_TRUE(storedListsOf(*lists.rgb, *lists.sim, *lists.dst) == *read);
}

TEST(FastList, ReadsWhatTheGeneralReaderReadsOrLeavesItToIt)
{
    const std::string bytes = sampleBytes();
    const std::string version = "\t<key>PlistVersion</key>\n\t<integer>1</integer>\n";
    const struct {
        const char* name;
        std::function<std::string(const std::string&)> change;
        bool fast;
    } cases[] = {
        {"as written", [](const std::string& b) { return b; }, true},
        {"spaces for tabs", [](const std::string& b) { return replaced(b, "\t", "  "); }, true},
        {"comments",
            [](const std::string& b) {
                return replaced(replaced(b, "<dict>\n", "<dict><!-- c -->\n"), "Office", "Off<!-- x -->ice");
            },
            true},
        {"entities", [](const std::string& b) { return replaced(b, "PROFILE1", "PROF&#73;LE&#x31;"); }, true},
        {"CDATA", [](const std::string& b) { return replaced(b, "PROFILE1", "<![CDATA[PROF]]>ILE1"); }, true},
        {"empty strings", [](const std::string& b) { return replaced(b, "<string></string>", "<string/>"); }, true},
        {"another key order",
            [&](const std::string& b) {
                return replaced(replaced(b, version, ""), "</dict>\n</plist>", version + "</dict>\n</plist>");
            },
            true},
        {"unknown keys",
            [](const std::string& b) {
                return replaced(b, "<key>iNum</key>",
                    "<key>Note</key><dict><key>a</key><string>b</string></dict>"
                    "<key>iNum</key>");
            },
            true},
        {"a string for a number",
            [](const std::string& b) { return replaced(b, "<integer>12</integer>", "<string>12</string>"); }, true},
        {"a missing field dictionary",
            [](const std::string& b) { return replaced(b, "<key>Location</key>", "<key>Lost</key>"); }, true},
        {"spaces in a number",
            [](const std::string& b) { return replaced(b, "<integer>12</integer>", "<integer> 12</integer>"); }, false},
        {"hexadecimal",
            [](const std::string& b) { return replaced(b, "<integer>12</integer>", "<integer>0xC</integer>"); }, false},
        {"a real", [](const std::string& b) { return replaced(b, "<integer>12</integer>", "<real>12</real>"); }, false},
        {"a key twice",
            [](const std::string& b) {
                return replaced(b, "<key>iNum</key>", "<key>iNum</key><integer>4</integer><key>iNum</key>");
            },
            false},
        {"carriage returns", [](const std::string& b) { return replaced(b, "\n", "\r\n"); }, true},
        {"a date",
            [&](const std::string& b) {
                return replaced(b, version, version + "<key>d</key><date>2020-01-01T00:00:00Z</date>");
            },
            false},
        {"a defined entity",
            [](const std::string& b) {
                return replaced(replaced(b, "<plist version", "<!DOCTYPE x [<!ENTITY e \"E\">]><plist version"),
                    "PROFILE1", "PROFIL&e;1");
            },
            false},
        {"a processing instruction", [](const std::string& b) { return replaced(b, "<dict>\n", "<dict><?pi x?>\n"); },
            false},
        {"a comment in a number",
            [](const std::string& b) {
                return replaced(b, "<integer>12</integer>", "<integer>1<!-- c -->2</integer>");
            },
            false},
        {"a prefixed element",
            [](const std::string& b) {
                return replaced(b, "<string>PROFILE1.ICC</string>", "<p:string xmlns:p=\"u\">PROFILE1.ICC</p:string>");
            },
            false},
        {"an undeclared attribute prefix",
            [](const std::string& b) { return replaced(b, "<plist version=", "<plist ver:sion="); }, false},
        {"another declared encoding", [](const std::string& b) { return replaced(b, "UTF-8", "ISO-8859-1"); }, true},
        {"a byte order mark", [](const std::string& b) { return "\xEF\xBB\xBF" + b; }, true},
        {"text between elements", [](const std::string& b) { return replaced(b, "<dict>\n", "<dict>x\n"); }, false},
        {"binary", [](const std::string&) { return std::string("bplist00\xd0\x08\0\0\0\0\0\0\x01\x01", 18); }, false},
        {"no property list", [](const std::string& b) { return b.substr(0, b.size() / 2); }, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string input = c.change(bytes);
        ASSERT_NE(bytes == input, std::string(c.name) != "as written") << "the change changes nothing";
        auto fast = readListsFast(input);
        ASSERT_EQ(c.fast, fast != nullptr);
        if (fast) {
            auto general = generalRead(input);
            ASSERT_TRUE(general);
            EXPECT_TRUE(*fast == *general);
        }
    }
}

TEST(FastList, BytesItCannotDecodeLeaveNoMessage)
{
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(readListsFast("<?xml version=\"1.0\" encoding=\"EUC-JP\"?><plist><dict>\xA7t/></dict></plist>"));
    EXPECT_EQ("", ::testing::internal::GetCapturedStderr());
}

} // namespace
