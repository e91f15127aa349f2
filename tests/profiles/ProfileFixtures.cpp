// SPDX-License-Identifier: Apache-2.0
// Helpers of the profile tests.
#include "ProfileFixtures.h"

#include "cf/File.h"
#include "cf/PropertyList.h"
#include "profiles/store/ProfileText.h"
#include "profiles/store/TLPList.h"
#include "support/HomeSandbox.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace profiletest {

std::string profileListPath()
{
    return homesandbox::home() + "/" + tlco::kProfileListFile;
}
std::string backupPath()
{
    return homesandbox::home() + "/" + tlco::kProfileBackupFile;
}
std::string preferencesFolder()
{
    return homesandbox::home() + "/Library/Preferences";
}

ProfileItem item(int32_t index, int32_t state, const std::string& fileName, const std::string& profileName,
    int32_t location, int32_t profileClass)
{
    ProfileItem made{};
    made.iIndexOnDevice = index;
    made.iInMenu = state;
    made.iProfileClass = profileClass;
    tlco::setFieldText(made.FileName, fileName);
    tlco::setFieldText(made.ProfileName, profileName);
    made.iLocation = location;
    return made;
}

std::unique_ptr<ProfileList> list(std::initializer_list<ProfileItem> items)
{
    auto made = std::make_unique<ProfileList>();
    int n = 0;
    for (const ProfileItem& one : items) made->litem[n++] = one;
    made->iNum = n;
    return made;
}

std::unique_ptr<ProfileList> filledWithSentinel()
{
    auto made = std::make_unique<ProfileList>();
    std::memset(static_cast<void*>(made.get()), 0x5A, sizeof(ProfileList));
    return made;
}

namespace {

std::string describe(const ProfileItem& one)
{
    std::ostringstream out;
    out << "{index " << one.iIndexOnDevice << ", state " << one.iInMenu << ", class " << one.iProfileClass
        << ", file \"" << tlco::fieldText(one.FileName) << "\", name \"" << tlco::fieldText(one.ProfileName)
        << "\", location " << one.iLocation << ", driver " << one.iDriver << "}";
    return out.str();
}

} // namespace

::testing::AssertionResult sameList(const ProfileList& expected, const ProfileList& actual)
{
    if (expected.iNum != actual.iNum)
        return ::testing::AssertionFailure() << "iNum " << actual.iNum << ", expected " << expected.iNum;
    for (int i = 0; i < tlco::kProfileListCapacity; ++i) {
        if (std::memcmp(&expected.litem[i], &actual.litem[i], sizeof(ProfileItem)) != 0)
            return ::testing::AssertionFailure()
                << "item " << i << " is " << describe(actual.litem[i]) << ", expected " << describe(expected.litem[i]);
    }
    return ::testing::AssertionSuccess();
}

std::optional<std::string> readBytes(const std::string& path)
{
    return cf::File::read(path);
}

void writeBytes(const std::string& path, const std::string& bytes)
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    ASSERT_TRUE(out.flush()) << path;
}

cf::DictionaryRef loadFile()
{
    auto bytes = readBytes(profileListPath());
    if (!bytes) return nullptr;
    return cf::as<cf::Dictionary>(cf::PropertyList::createFromData(*bytes));
}

void saveFile(const cf::DictionaryRef& root)
{
    auto xml = cf::PropertyList::createXMLData(root);
    ASSERT_TRUE(xml);
    writeBytes(profileListPath(), *xml);
}

cf::DictionaryRef fieldOf(const cf::DictionaryRef& root, const char* classKey, const char* field)
{
    EXPECT_TRUE(root);
    if (!root) return nullptr;
    auto classDictionary = root->getDictionary(classKey);
    EXPECT_TRUE(classDictionary) << classKey;
    if (!classDictionary) return nullptr;
    auto found = classDictionary->getDictionary(field);
    EXPECT_TRUE(found) << classKey << "/" << field;
    return found;
}

void ProfileFileTest::SetUp()
{
    homesandbox::reset();
}

} // namespace profiletest
