// Property lists through libplist: what the files this system reads and writes may hold.
#include "cf/Array.h"
#include "cf/Boolean.h"
#include "cf/Dictionary.h"
#include "cf/Number.h"
#include "cf/PropertyList.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

std::string wrap(const std::string& body)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">" + body + "</plist>";
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
    ASSERT_TRUE(cf::PropertyList::writeFileAtomically(path, "first", 0664));
    ASSERT_TRUE(cf::PropertyList::writeFileAtomically(path, "second", 0664));
    EXPECT_EQ(*cf::PropertyList::readFile(path), "second");
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read | fs::perms::group_write |
                  fs::perms::others_read);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
    // A folder that does not exist: the write fails and leaves nothing.
    EXPECT_FALSE(cf::PropertyList::writeFileAtomically((folder / "missing" / "f").string(), "x", 0664));
}

} // namespace
