// SPDX-License-Identifier: Apache-2.0
// Profile list maintenance: the three repair passes on records, and backup, restore, deletion,
// existence and the raw dictionaries on the files of a sandbox home.
#include "ProfileFixtures.h"

#include "profiles/store/ProfileText.h"
#include "profiles/store/TLPList.h"
#include "support/HomeSandbox.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

using namespace tlco;
using namespace profiletest;
namespace fs = std::filesystem;

namespace {

TEST(CleanPass, RepairsOrDropsItemsWithANameButNoIndex)
{
    struct Case {
        const char* name;
        ProfileItem before;
        ProfileItem after;
        int32_t countChange;
    };
    const Case cases[] = {
        {"shown present printer profile", item(0, 4, "A.ICC", "a"), item(501, 3, "A.ICC", "a"), 0},
        {"shown unconfirmed printer profile", item(0, 3, "A.ICC", "a"), item(501, 3, "A.ICC", "a"), 0},
        {"shown user profile", item(0, 6, "A.ICC", "a"), ProfileItem{}, -1},
        {"hidden printer profile", item(0, 2, "A.ICC", "a"), ProfileItem{}, -1},
        {"hidden unconfirmed profile", item(0, 1, "A.ICC", "a"), ProfileItem{}, -1},
        {"hidden user profile", item(0, 5, "A.ICC", "a"), ProfileItem{}, -1},
        {"no file name, state 6", item(0, 6, "", "a"), item(0, 6, "", "a"), 0},
        {"no file name, state 4", item(0, 4, "", "a"), item(0, 4, "", "a"), 0},
        {"has an index", item(12, 6, "A.ICC", "a"), item(12, 6, "A.ICC", "a"), 0},
    };
    for (const Case& c : cases) {
        auto records = list({item(1, 4, "FIRST.ICC"), c.before, item(2, 4, "LAST.ICC")});
        TLPListCleanProfile_Dict(records.get());
        auto expected = list({item(1, 4, "FIRST.ICC"), c.after, item(2, 4, "LAST.ICC")});
        expected->iNum += c.countChange;
        EXPECT_TRUE(sameList(*expected, *records)) << c.name;
    }
}

TEST(PackingPass, MovesUsedItemsToTheFrontInOrder)
{
    auto records = list();
    records->litem[0] = item(5, 0, "STALE.ICC"); // freed, with its old fields
    records->litem[1] = item(1, 4, "FOUR.ICC", "4");
    records->litem[2] = ProfileItem{};
    records->litem[3] = item(2, 6, "SIX.ICC", "6");
    records->litem[7] = item(9, 0, "LEFTOVER.ICC"); // freed, nothing after it to move in
    records->iNum = 2;
    TLPListPaddingProfile_Dict(records.get());

    auto expected = list({item(1, 4, "FOUR.ICC", "4"), item(2, 6, "SIX.ICC", "6")});
    expected->litem[7] = item(9, 0, "LEFTOVER.ICC");
    EXPECT_TRUE(sameList(*expected, *records));

    auto packed = list({item(1, 1, "A.ICC"), item(2, 2, "B.ICC"), item(3, 3, "C.ICC")});
    auto unchanged = std::make_unique<ProfileList>(*packed);
    TLPListPaddingProfile_Dict(packed.get());
    EXPECT_TRUE(sameList(*unchanged, *packed));
}

TEST(SalvagePass, TurnsUnconfirmedShownPrinterProfilesIntoUserProfiles)
{
    auto records =
        list({item(501, 3, "A.ICC"), item(0, 3, "B.ICC"), item(7, 1, "C.ICC"), item(8, 3, ""), item(9, 4, "D.ICC")});
    TLPListSalvage_Dict(records.get());
    auto expected =
        list({item(501, 6, "A.ICC"), item(0, 3, "B.ICC"), item(7, 1, "C.ICC"), item(8, 3, ""), item(9, 4, "D.ICC")});
    EXPECT_TRUE(sameList(*expected, *records));
}

TEST(Passes, CleanPackSalvageInOrder)
{
    auto records = list({item(1, 2, "KEEP.ICC"), item(0, 6, "DROP.ICC"), item(0, 3, "FIX.ICC")});
    TLPListCleanProfile_Dict(records.get());
    TLPListPaddingProfile_Dict(records.get());
    TLPListSalvage_Dict(records.get());
    EXPECT_TRUE(sameList(*list({item(1, 2, "KEEP.ICC"), item(501, 6, "FIX.ICC")}), *records));
}

class Maintenance : public ProfileFileTest {
protected:
    void writeList(const std::string& fileName)
    {
        auto rgb = list({item(1, 4, fileName)});
        auto empty = list();
        ASSERT_EQ(0, TLPListWriteProfile_All(rgb.get(), empty.get(), empty.get()));
    }
};

TEST_F(Maintenance, BackUpThenRestoreGivesBackTheFormerFile)
{
    writeList("BEFORE.ICC");
    const auto before = readBytes(profileListPath());
    mode_t saved = ::umask(077);
    TLPListSwapProfile(2);
    ::umask(saved);
    EXPECT_EQ(before, readBytes(backupPath()));
    struct stat status;
    ASSERT_EQ(0, ::stat(backupPath().c_str(), &status));
    EXPECT_EQ(0664u, status.st_mode & 0777);

    writeList("AFTER.ICC");
    EXPECT_NE(before, readBytes(profileListPath()));
    TLPListSwapProfile(0);
    EXPECT_EQ(before, readBytes(profileListPath()));
    EXPECT_FALSE(fs::exists(backupPath()));
}

TEST_F(Maintenance, RestoreWithoutBackupKeepsTheProfileList)
{
    writeList("ONLY.ICC");
    const auto before = readBytes(profileListPath());
    TLPListSwapProfile(0);
    EXPECT_EQ(before, readBytes(profileListPath()));
}

TEST_F(Maintenance, DiscardAndOtherOperations)
{
    writeList("A.ICC");
    TLPListSwapProfile(2);
    ASSERT_TRUE(fs::exists(backupPath()));
    const auto listBytes = readBytes(profileListPath());
    for (int operation : {3, -1, 99}) {
        TLPListSwapProfile(operation);
        EXPECT_TRUE(fs::exists(backupPath())) << operation;
        EXPECT_EQ(listBytes, readBytes(profileListPath())) << operation;
    }
    TLPListSwapProfile(1);
    EXPECT_FALSE(fs::exists(backupPath()));
    EXPECT_EQ(listBytes, readBytes(profileListPath()));
}

TEST_F(Maintenance, BackUpWithoutProfileListDeletesTheOldBackup)
{
    writeBytes(backupPath(), "old backup");
    TLPListSwapProfile(2);
    EXPECT_FALSE(fs::exists(backupPath()));
    EXPECT_FALSE(fs::exists(profileListPath()));
}

TEST_F(Maintenance, NothingHappensWhenTheProbeFails)
{
    writeBytes(backupPath(), "old backup");
    fs::create_directories(profileListPath());
    for (int operation : {0, 1, 2}) TLPListSwapProfile(operation);
    EXPECT_EQ("old backup", readBytes(backupPath()).value_or(""));
    EXPECT_EQ(0, TLPListRemove(kFileBackup));
    EXPECT_TRUE(fs::exists(backupPath()));
    EXPECT_EQ(0, TLPListExistProfile());
}

TEST_F(Maintenance, RemoveDeletesTheSelectedFileOnly)
{
    writeList("A.ICC");
    TLPListSwapProfile(2);
    EXPECT_EQ(0, TLPListRemove(1));
    EXPECT_EQ(0, TLPListRemove(4));
    EXPECT_TRUE(fs::exists(profileListPath()));
    EXPECT_TRUE(fs::exists(backupPath()));

    EXPECT_EQ(1, TLPListRemove(kFileBackup));
    EXPECT_FALSE(fs::exists(backupPath()));
    EXPECT_TRUE(fs::exists(profileListPath()));
    EXPECT_EQ(0, TLPListRemove(kFileBackup));

    EXPECT_EQ(1, TLPListRemove(kFileProfileList));
    EXPECT_FALSE(fs::exists(profileListPath()));
    EXPECT_EQ(0, TLPListRemove(kFileProfileList));
}

TEST_F(Maintenance, ExistenceTestCreatesNothing)
{
    EXPECT_EQ(0, TLPListExistProfile());
    EXPECT_FALSE(fs::exists(profileListPath()));
    writeList("A.ICC");
    EXPECT_EQ(1, TLPListExistProfile());
}

TEST_F(Maintenance, RawDictionariesOfTheFile)
{
    cf::DictionaryRef rgb, sim, dst;
    EXPECT_EQ(-1, TLPListMappingGetMainDict_FromPlist(&rgb, &sim, &dst));
    EXPECT_FALSE(rgb || sim || dst);

    auto rgbList = list({item(1, 4, "A.ICC"), item(2, 6, "B.ICC")});
    auto empty = list();
    ASSERT_EQ(0, TLPListWriteProfile_All(rgbList.get(), empty.get(), empty.get()));
    ASSERT_EQ(0, TLPListMappingGetMainDict_FromPlist(&rgb, &sim, &dst));
    ASSERT_TRUE(rgb && sim && dst);

    cf::DictionaryRef index, inMenu, profileClass, location, fileName, profileName;
    int32_t count = -9;
    ASSERT_EQ(
        0, TLPListMappingGetSubDict(rgb, &index, &inMenu, &profileClass, &location, &fileName, &profileName, &count));
    EXPECT_EQ(2, count);
    ASSERT_TRUE(index && inMenu && profileClass && location && fileName && profileName);
    EXPECT_EQ("B.ICC", fileName->getString("FileName0001")->utf8());
    EXPECT_EQ(500u, location->count());
    EXPECT_TRUE(location->contains("Location0000"));

    // Checked in the order IndexOnDevice, InMenu, ProfileClass, FileName, ProfileName, Location.
    rgb->remove("ProfileName");
    cf::DictionaryRef gotFileName, gotLocation;
    count = -9;
    EXPECT_EQ(
        -1, TLPListMappingGetSubDict(rgb, nullptr, nullptr, nullptr, &gotLocation, &gotFileName, nullptr, &count));
    EXPECT_TRUE(gotFileName);
    EXPECT_FALSE(gotLocation);
    EXPECT_EQ(-9, count);

    auto root = loadFile();
    root->remove("SIM");
    saveFile(root);
    cf::DictionaryRef rgb2, sim2, dst2;
    EXPECT_EQ(-1, TLPListMappingGetMainDict_FromPlist(&rgb2, &sim2, &dst2));
    EXPECT_TRUE(rgb2) << "what was handed out before the failure stays handed out";
    EXPECT_FALSE(sim2 || dst2);
}

} // namespace
