// SPDX-License-Identifier: Apache-2.0
// Profile list files as other programs write them: another encoding, other line ends, more items
// than a list keeps, or cut short. Each is read as an XML reader reads it, and nothing in it is lost.
#include "ProfileFixtures.h"

#include "cf/Utf8.h"
#include "profiles/store/TLPList.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace tlco;
using namespace profiletest;
namespace fs = std::filesystem;

namespace {

class ForeignList : public ProfileFileTest { };

// One RGB list of `count` user profiles, the first named firstName; complete, empty SIM and DST.
std::string listXml(
    const std::string& declaration, int count, const std::string& firstName, const std::string& lineEnd = "\n")
{
    auto field = [count](const char* name, auto value) {
        std::string text = std::string("<key>") + name + "</key><dict>";
        for (int i = 0; i < count; ++i) {
            char key[32];
            std::snprintf(key, sizeof key, "%s%04d", name, i);
            text += std::string("<key>") + key + "</key>" + value(i);
        }
        return text + "</dict>";
    };
    auto integer = [](int n) { return "<integer>" + std::to_string(n) + "</integer>"; };
    const std::string rgb = "<dict>" + field("IndexOnDevice", [&](int i) { return integer(501 + i); }) +
        field("InMenu", [&](int) { return integer(6); }) + field("ProfileClass", [&](int) { return integer(2); }) +
        field("FileName", [](int i) { return "<string>P" + std::to_string(i) + ".ICC</string>"; }) +
        field("ProfileName", [&](int i) { return "<string>" + (i == 0 ? firstName : "n") + "</string>"; }) +
        field("Location", [&](int) { return integer(4); }) + "<key>iNum</key>" + integer(count) + "</dict>";
    std::string empty = "<dict>";
    for (const char* name : {"IndexOnDevice", "InMenu", "ProfileClass", "FileName", "ProfileName", "Location"})
        empty += std::string("<key>") + name + "</key><dict/>";
    empty += "</dict>";
    return declaration + lineEnd + "<plist version=\"1.0\">" + lineEnd + "<dict><key>RGB</key>" + rgb +
        "<key>SIM</key>" + empty + "<key>DST</key>" + empty + "</dict>" + lineEnd + "</plist>" + lineEnd;
}

std::string utf16le(const std::string& utf8)
{
    std::string bytes = "\xFF\xFE";
    for (char16_t unit : cf::utf8::toUtf16(utf8)) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

std::string firstProfileName()
{
    auto rgb = list();
    if (TLPListReadProfile_Dict(rgb.get(), kListRGB) != 0) return "<unreadable>";
    return fieldText(rgb->litem[0].ProfileName).data();
}

TEST_F(ForeignList, OtherEncodingsAndLineEndsReadAsXmlReadsThem)
{
    const std::string utf8 = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";
    const struct {
        const char* name;
        std::string bytes;
        std::string profileName;
    } cases[] = {
        {"byte order mark", "\xEF\xBB\xBF" + listXml(utf8, 2, "Caf\xC3\xA9"), "Caf\xC3\xA9"},
        {"UTF-16", utf16le(listXml("<?xml version=\"1.0\" encoding=\"UTF-16\"?>", 2, "Caf\xC3\xA9")), "Caf\xC3\xA9"},
        {"ISO-8859-1", listXml("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>", 2, "Caf\xE9"), "Caf\xC3\xA9"},
        {"line ends CR LF and CR", listXml(utf8, 2, "a\r\nb\rc", "\r\n"), "a\nb\nc"},
        {"a carriage return as a reference", listXml(utf8, 2, "a&#13;b"), "a\rb"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        writeBytes(profileListPath(), c.bytes);
        EXPECT_EQ(c.profileName, firstProfileName());
    }
}

// A list cut before its end is not well-formed: other readers refuse it, so it must not replace
// the backup as if it were whole.
TEST_F(ForeignList, AListCutBeforeItsEndIsDamaged)
{
    const std::string whole = listXml("<?xml version=\"1.0\" encoding=\"UTF-8\"?>", 2, "x");
    for (const std::string& cut : {std::string("</plist>\n"), std::string("</dict>\n</plist>\n")}) {
        SCOPED_TRACE(cut);
        writeBytes(backupPath(), "a good backup");
        writeBytes(profileListPath(), whole.substr(0, whole.size() - cut.size()));
        auto rgb = list(), sim = list(), dst = list();
        EXPECT_EQ(-1, TLPListReadProfile_All(rgb.get(), sim.get(), dst.get()));
        ::testing::internal::CaptureStderr();
        TLPListSwapProfile(kSwapBackUp);
        EXPECT_NE(std::string::npos, ::testing::internal::GetCapturedStderr().find("no well-formed XML"));
        EXPECT_EQ("a good backup", readBytes(backupPath()).value_or(""));
    }
}

// A list longer than 500 items reads as its first 500; before the first save replaces it, the whole
// file is kept beside it, and that is said once.
TEST_F(ForeignList, AListLongerThanTheStoreHoldsIsKeptBeforeTheFirstSave)
{
    const std::string bytes = listXml("<?xml version=\"1.0\" encoding=\"UTF-8\"?>", 5000, "first");
    writeBytes(profileListPath(), bytes);
    auto rgb = list(), sim = list(), dst = list();
    ASSERT_EQ(0, TLPListReadProfile_All(rgb.get(), sim.get(), dst.get()));
    EXPECT_EQ(500, rgb->iNum);
    EXPECT_EQ("P499.ICC", std::string(rgb->litem[499].FileName));

    setFieldText(rgb->litem[0].ProfileName, "changed");
    ::testing::internal::CaptureStderr();
    ASSERT_EQ(0, TLPListWriteProfile_All(rgb.get(), sim.get(), dst.get()));
    setFieldText(rgb->litem[1].ProfileName, "changed again");
    ASSERT_EQ(0, TLPListWriteProfile_All(rgb.get(), sim.get(), dst.get()));
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(bytes, readBytes(profileListPath() + ".damaged").value_or(""));
    const size_t first = said.find("more profiles than a list keeps");
    EXPECT_NE(std::string::npos, first) << said;
    EXPECT_EQ(std::string::npos, said.find("more profiles", first + 1)) << said;
}

} // namespace
