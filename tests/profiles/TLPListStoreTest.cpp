// SPDX-License-Identifier: Apache-2.0
// The profile list store against the profile list file in a sandbox home: path, reading, writing,
// recount, the AppleTalk/USB read and merge, and the write-access probe.
#include "ProfileFixtures.h"

#include "cf/Number.h"
#include "cf/String.h"
#include "profiles/store/ProfileListCache.h"
#include "profiles/store/ProfileText.h"
#include "profiles/store/TLPList.h"
#include "support/HomeSandbox.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <tuple>
#include <unistd.h>

using namespace tlco;
using namespace profiletest;
namespace fs = std::filesystem;

namespace {

class Store : public ProfileFileTest { };

// Three lists with every field in use, also negative and extreme values.
struct Sample {
    std::unique_ptr<ProfileList> rgb =
        list({item(3, kStatePrinterPresentShown, "PROFILE1.ICC", "Office", kLocationDisk, 1),
            item(501, kStateUserShown, "MINE.ICM", "\xE6\x97\xA5\xE6\x9C\xAC", kLocationCard, 2),
            item(-7, kStatePrinterUnconfirmed, "", "", 3, INT32_MIN)});
    std::unique_ptr<ProfileList> sim =
        list({item(12, kStatePrinterPresent, "SWOP.ICC", std::string(31, 'n'), kLocationCard, 3)});
    std::unique_ptr<ProfileList> dst = list({item(INT32_MAX, kStateUser, "A.B", "", kLocationDisk, 3),
        item(40, kStatePrinterUnconfirmedShown, "DEST.ICC", "Proof", kLocationDisk, 3)});
};

mode_t modeOf(const std::string& path)
{
    struct stat status;
    return ::stat(path.c_str(), &status) == 0 ? (status.st_mode & 07777) : 0;
}

std::vector<std::string> filesIn(const std::string& folder)
{
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// Sets the process's mask for one test and tells what it was on leaving.
class UmaskProbe {
public:
    explicit UmaskProbe(mode_t mask) : previous_(::umask(mask)), mask_(mask) { }
    ~UmaskProbe() { ::umask(previous_); }
    mode_t current() const
    {
        mode_t now = ::umask(mask_);
        ::umask(now);
        return now;
    }

private:
    mode_t previous_;
    mode_t mask_;
};

void writeSample(const Sample& sample)
{
    ASSERT_EQ(0, TLPListWriteProfile_All(sample.rgb.get(), sample.sim.get(), sample.dst.get()));
}

TEST_F(Store, PathIsBuiltFromThePasswordHomeNotFromTheEnvironment)
{
    const char* savedHome = std::getenv("HOME");
    ::setenv("HOME", "/nonexistent-home", 1);
    auto path = TLPListMakePath(kProfileListFile);
    ::setenv("HOME", savedHome, 1);
    ASSERT_TRUE(path);
    EXPECT_EQ(homesandbox::home() + "/Library/Preferences/jp.tessaluma.printers.zq4410PS.profile.plist", *path);
    EXPECT_EQ(homesandbox::home() + "/Library/Preferences/jp.tessaluma.printers.zq4410PS.profile.prev.plist",
        TLPListMakePath(kProfileBackupFile).value_or(""));
}

TEST_F(Store, PathMustFitIn255Bytes)
{
    const size_t relative = std::strlen(kProfileListFile);
    // "%s/%s" plus its NUL: a home of 254 - 1 - relative bytes is the longest that fits.
    std::string longest = "/" + std::string(254 - 1 - relative - 1, 'h');
    homesandbox::setPasswdHome(longest);
    auto path = TLPListMakePath(kProfileListFile);
    ASSERT_TRUE(path);
    EXPECT_EQ(254u, path->size());

    homesandbox::setPasswdHome(longest + "h");
    EXPECT_FALSE(TLPListMakePath(kProfileListFile));
    auto lists = list();
    EXPECT_EQ(-1, TLPListReadProfile_All(lists.get(), lists.get(), lists.get()));
    EXPECT_EQ(-1, TLPListWriteProfile_All(lists.get(), lists.get(), lists.get()));
    EXPECT_EQ(0, TLPListIsAdminProfile());
    EXPECT_EQ(0, TLPListExistProfile());
    EXPECT_EQ(0, TLPListRemove(kFileProfileList));
}

TEST_F(Store, UserWithoutPasswordEntryHasNoFile)
{
    Sample sample;
    writeSample(sample);
    homesandbox::setPasswdHome(std::nullopt);
    auto read = filledWithSentinel();
    auto before = filledWithSentinel();
    EXPECT_EQ(-1, TLPListReadProfile_Dict(read.get(), kListRGB));
    EXPECT_TRUE(sameList(*before, *read));
    EXPECT_EQ(0, TLPListIsAdminProfile());
    EXPECT_EQ(-1, TLPListWriteProfile_All(sample.rgb.get(), sample.sim.get(), sample.dst.get()));
}

TEST_F(Store, WrittenFileReadsBackTheSameListsButNotIDriver)
{
    Sample sample;
    sample.rgb->litem[0].iDriver = 3;
    writeSample(sample);
    sample.rgb->litem[0].iDriver = 0;

    auto rgb = list(), sim = list(), dst = list();
    ASSERT_EQ(0, TLPListReadProfile_All(rgb.get(), sim.get(), dst.get()));
    EXPECT_TRUE(sameList(*sample.rgb, *rgb));
    EXPECT_TRUE(sameList(*sample.sim, *sim));
    EXPECT_TRUE(sameList(*sample.dst, *dst));

    for (int index : {kListRGB, kListSIM, kListDST}) {
        auto one = list();
        ASSERT_EQ(0, TLPListReadProfile_Dict(one.get(), index));
        const ProfileList& expected = index == kListRGB ? *sample.rgb : index == kListSIM ? *sample.sim : *sample.dst;
        EXPECT_TRUE(sameList(expected, *one)) << "list " << index;
    }
}

TEST_F(Store, FileHoldsEveryItemKeyOfEveryFieldAndTheVersion)
{
    Sample sample;
    writeSample(sample);
    auto root = loadFile();
    ASSERT_TRUE(root);
    EXPECT_EQ(4u, root->count());
    auto version = cf::as<cf::Number>(root->get("PlistVersion"));
    ASSERT_TRUE(version);
    EXPECT_EQ(1, version->int64Value());
    for (const char* classKey : {"RGB", "SIM", "DST"}) {
        auto classDictionary = root->getDictionary(classKey);
        ASSERT_TRUE(classDictionary) << classKey;
        EXPECT_EQ(7u, classDictionary->count()) << classKey;
        for (const char* field : {"IndexOnDevice", "InMenu", "ProfileClass", "FileName", "ProfileName", "Location"}) {
            auto entries = fieldOf(root, classKey, field);
            ASSERT_TRUE(entries);
            EXPECT_EQ(500u, entries->count()) << classKey << "/" << field;
            bool text = std::strcmp(field, "FileName") == 0 || std::strcmp(field, "ProfileName") == 0;
            for (int i : {0, 7, 499}) {
                char key[32];
                std::snprintf(key, sizeof key, "%s%04d", field, i);
                cf::Ref value = entries->get(key);
                ASSERT_TRUE(value) << key;
                EXPECT_EQ(text ? cf::TypeID::String : cf::TypeID::Number, value->typeID()) << key;
            }
        }
    }
    auto inMenu = fieldOf(root, "RGB", "InMenu");
    EXPECT_EQ(kStateUserShown, cf::as<cf::Number>(inMenu->get("InMenu0001"))->int64Value());
    EXPECT_EQ(0, cf::as<cf::Number>(inMenu->get("InMenu0499"))->int64Value());
    EXPECT_EQ("", fieldOf(root, "RGB", "FileName")->getString("FileName0499")->utf8());
    EXPECT_EQ(
        INT32_MIN, cf::as<cf::Number>(fieldOf(root, "RGB", "ProfileClass")->get("ProfileClass0002"))->int32Value());
}

TEST_F(Store, NoFile)
{
    auto rgb = filledWithSentinel(), sim = filledWithSentinel(), dst = filledWithSentinel();
    auto untouched = filledWithSentinel();
    EXPECT_EQ(-1, TLPListReadProfile_All(rgb.get(), sim.get(), dst.get()));
    EXPECT_TRUE(sameList(*untouched, *rgb));
    EXPECT_TRUE(sameList(*untouched, *sim));
    EXPECT_TRUE(sameList(*untouched, *dst));
    EXPECT_EQ(-1, TLPListReadProfile_Dict(rgb.get(), kListRGB));
    EXPECT_EQ(-1, TLPListReadProfile_Dict_Pap(rgb.get(), kListRGB));
    EXPECT_TRUE(sameList(*untouched, *rgb));

    // Writing creates the file, and the folders a fresh account lacks.
    ASSERT_FALSE(fs::exists(homesandbox::home() + "/Library"));
    Sample sample;
    writeSample(sample);
    auto back = list();
    EXPECT_EQ(0, TLPListReadProfile_Dict(back.get(), kListSIM));
    EXPECT_TRUE(sameList(*sample.sim, *back));
    EXPECT_EQ(0700u, modeOf(homesandbox::home() + "/Library") & 0700u);
}

TEST_F(Store, UnreadableFilesFailAndTouchNothing)
{
    const std::pair<const char*, std::string> cases[] = {
        {"empty", ""},
        {"not a property list", "RGB SIM DST\n"},
        {"truncated", "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>RGB</key><dict>"},
        {"array at the root", "<?xml version=\"1.0\"?><plist version=\"1.0\"><array/></plist>"},
    };
    for (const auto& [name, bytes] : cases) {
        writeBytes(profileListPath(), bytes);
        auto read = filledWithSentinel();
        EXPECT_EQ(-1, TLPListReadProfile_Dict(read.get(), kListRGB)) << name;
        EXPECT_TRUE(sameList(*filledWithSentinel(), *read)) << name;
    }
}

TEST_F(Store, MissingClassOrFieldDictionary)
{
    Sample sample;
    writeSample(sample);
    auto root = loadFile();
    root->remove("SIM");
    root->getDictionary("DST")->remove("Location");
    saveFile(root);

    auto rgb = filledWithSentinel(), sim = filledWithSentinel(), dst = filledWithSentinel();
    EXPECT_EQ(-1, TLPListReadProfile_All(rgb.get(), sim.get(), dst.get()));
    EXPECT_TRUE(sameList(*filledWithSentinel(), *rgb)) << "nothing is stored before every part is found";

    auto one = list();
    EXPECT_EQ(0, TLPListReadProfile_Dict(one.get(), kListRGB));
    EXPECT_TRUE(sameList(*sample.rgb, *one));
    EXPECT_EQ(-1, TLPListReadProfile_Dict(one.get(), kListSIM));
    EXPECT_EQ(-1, TLPListReadProfile_Dict(one.get(), kListDST));

    // A class of the wrong type counts as missing.
    root->set("RGB", cf::String::create("RGB"));
    saveFile(root);
    EXPECT_EQ(-1, TLPListReadProfile_Dict(one.get(), kListRGB));
}

TEST_F(Store, RecountRepairsTheCountAfterRead)
{
    struct Case {
        const char* name;
        std::vector<int> usedSlots;
        std::optional<int32_t> storedCount; // nothing: no "iNum" key
        std::vector<int> expected;          // per slot: the written slot it holds, -1 none
        int32_t expectedCount;
    };
    const Case cases[] = {
        {"count too high", {0, 1, 2}, 5, {0, 1, 2}, 3},
        {"count agrees, used item after a hole moves up", {0, 2}, 2, {0, 2}, 2},
        {"used item past the count moves up", {0, 1, 3}, 2, {0, 1, 3}, 3},
        {"no count key", {0, 1}, std::nullopt, {0, 1}, 2},
        {"negative count", {0}, -4, {0}, 1},
    };
    for (const Case& c : cases) {
        auto written = list();
        for (int slot : c.usedSlots)
            written->litem[slot] = item(slot + 1, kStatePrinterPresentShown, "P" + std::to_string(slot));
        writeSample(Sample{});
        ASSERT_EQ(0, TLPListWriteProfile_Dict(written.get(), kListRGB, nullptr, nullptr, nullptr));
        auto root = loadFile();
        if (c.storedCount)
            root->getDictionary("RGB")->set("iNum", cf::Number::create(*c.storedCount));
        else
            root->getDictionary("RGB")->remove("iNum");
        saveFile(root);

        auto read = list();
        ASSERT_EQ(0, TLPListReadProfile_Dict(read.get(), kListRGB)) << c.name;
        EXPECT_EQ(c.expectedCount, read->iNum) << c.name;
        for (int slot = 0; slot < kProfileListCapacity; ++slot) {
            int from = slot < static_cast<int>(c.expected.size()) ? c.expected[static_cast<size_t>(slot)] : -1;
            ProfileItem expected = from >= 0 ? written->litem[from] : ProfileItem{};
            EXPECT_EQ(0, std::memcmp(&expected, &read->litem[slot], sizeof expected)) << c.name << ", slot " << slot;
        }
    }
}

TEST_F(Store, ValuesOfTheWrongTypeOrMissingKeysKeepThePriorField)
{
    Sample sample;
    writeSample(sample);
    auto root = loadFile();
    fieldOf(root, "RGB", "IndexOnDevice")->set("IndexOnDevice0000", cf::String::create("3"));
    fieldOf(root, "RGB", "FileName")->set("FileName0000", cf::Number::create(7));
    fieldOf(root, "RGB", "Location")->set("Location0000", cf::Number::createReal(5.0));
    fieldOf(root, "RGB", "ProfileName")->remove("ProfileName0000");
    root->getDictionary("RGB")->set("iNum", cf::String::create("3"));
    saveFile(root);

    auto read = list();
    read->litem[0] = item(777, 0, "PRIOR.ICC", "Prior name", 9, 0);
    read->iNum = 3;
    ASSERT_EQ(0, TLPListReadProfile_Dict(read.get(), kListRGB));
    auto expected = std::make_unique<ProfileList>(*sample.rgb);
    expected->litem[0].iIndexOnDevice = 777;
    setFieldText(expected->litem[0].FileName, "PRIOR.ICC");
    setFieldText(expected->litem[0].ProfileName, "Prior name");
    expected->litem[0].iLocation = 9;
    EXPECT_TRUE(sameList(*expected, *read));
}

TEST_F(Store, LongNamesAreCutTo31Bytes)
{
    const std::string forty = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789.ICC";
    ASSERT_EQ(40u, forty.size());
    writeSample(Sample{});
    auto root = loadFile();
    fieldOf(root, "DST", "FileName")->set("FileName0000", cf::String::create(forty));
    fieldOf(root, "DST", "ProfileName")->set("ProfileName0000", cf::String::create(forty));
    saveFile(root);

    auto read = list();
    ASSERT_EQ(0, TLPListReadProfile_Dict(read.get(), kListDST));
    EXPECT_EQ(forty.substr(0, 31), std::string(read->litem[0].FileName));
    EXPECT_EQ(forty.substr(0, 31), std::string(read->litem[0].ProfileName));
    EXPECT_EQ('\0', read->litem[0].FileName[31]);
}

TEST_F(Store, NameCutInsideACharacterSurvivesTheNextWrite)
{
    // Eleven three-byte characters: the 31-byte cut ends inside the eleventh.
    std::string japanese;
    for (int i = 0; i < 11; ++i) japanese += "\xE3\x81\x82";
    auto written = list({item(1, kStateUserShown, "J.ICC", "x")});
    writeSample(Sample{});
    ASSERT_EQ(0, TLPListWriteProfile_Dict(written.get(), kListRGB, nullptr, nullptr, nullptr));
    auto root = loadFile();
    fieldOf(root, "RGB", "ProfileName")->set("ProfileName0000", cf::String::create(japanese));
    saveFile(root);

    // Cut before the character that would pass the 31st byte: what is read is what will be written.
    auto read = list();
    ASSERT_EQ(0, TLPListReadProfile_Dict(read.get(), kListRGB));
    EXPECT_EQ(japanese.substr(0, 30), std::string(read->litem[0].ProfileName));
    ASSERT_EQ(0, TLPListWriteProfile_Dict(read.get(), kListRGB, nullptr, nullptr, nullptr));
    auto again = list();
    ASSERT_EQ(0, TLPListReadProfile_Dict(again.get(), kListRGB));
    EXPECT_EQ(japanese.substr(0, 30), std::string(again->litem[0].ProfileName));
}

// Whatever a list holds is written, every key of it: what XML cannot carry becomes U+FFFD.
TEST_F(Store, NameTheFileCannotHoldIsWrittenWithReplacements)
{
    const struct {
        const char* name;
        std::string text;
        std::string written;
    } cases[] = {
        {"stray byte", "bad \xFF name", "bad \xEF\xBF\xBD name"},
        {"overlong form", "\xC0\xAF", "\xEF\xBF\xBD\xEF\xBF\xBD"},
        {"surrogate", "\xED\xA0\x80", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
        {"control character", "bell\x07", "bell\xEF\xBF\xBD"},
        {"noncharacter", "\xEF\xBF\xBF", "\xEF\xBF\xBD"},
        {"replacement past the 31st byte", std::string(29, 'n') + "\x01", std::string(29, 'n')},
        {"tab, line feed, carriage return and DEL", "a\tb\nc\rd\x7F", "a\tb\nc\rd\x7F"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto written = list({item(1, kStateUserShown, "OK.ICC", c.text)});
        writeSample(Sample{});
        ASSERT_EQ(0, TLPListWriteProfile_Dict(written.get(), kListRGB, nullptr, nullptr, nullptr));
        auto root = loadFile();
        EXPECT_EQ(500u, fieldOf(root, "RGB", "ProfileName")->count());
        auto read = list();
        ASSERT_EQ(0, TLPListReadProfile_Dict(read.get(), kListRGB));
        EXPECT_EQ(c.written, std::string(read->litem[0].ProfileName));
    }
}

TEST_F(Store, WriteReplacesTheWholeFileAtomicallyWithItsMode)
{
    UmaskProbe mask(077);
    writeBytes(profileListPath(),
        "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>Stale</key>"
        "<string>x</string></dict></plist>");
    ::chmod(profileListPath().c_str(), 0664);
    Sample sample;
    writeSample(sample);
    auto root = loadFile();
    ASSERT_TRUE(root);
    EXPECT_FALSE(root->contains("Stale"));
    EXPECT_EQ(0664u, modeOf(profileListPath()));
    // The old file held no profile list, so it was set aside rather than lost.
    EXPECT_EQ((std::vector<std::string>{"jp.tessaluma.printers.zq4410PS.profile.plist",
                  "jp.tessaluma.printers.zq4410PS.profile.plist.damaged"}),
        filesIn(preferencesFolder()));
    EXPECT_EQ(077u, mask.current()) << "the host's file-creation mask is left alone";

    // A fresh file is rw-rw-r-- whatever the mask; an existing file keeps the mode its owner gave it.
    fs::remove(profileListPath());
    writeSample(sample);
    EXPECT_EQ(0664u, modeOf(profileListPath()));
    ::chmod(profileListPath().c_str(), 0600);
    writeSample(sample);
    EXPECT_EQ(0600u, modeOf(profileListPath()));
}

TEST_F(Store, ReadForAppleTalkOrUsbPrinters)
{
    auto written = list({item(1, kStateUserShown, "A.ICC", "a"), item(2, kStatePrinterPresent, "B.ICC", "b"),
        item(3, kStatePrinterPresentShown, "C.ICC", "c", kLocationCard),
        item(4, kStatePrinterUnconfirmed, "D.ICC", "d")});
    writeSample(Sample{});
    ASSERT_EQ(0, TLPListWriteProfile_Dict(written.get(), kListSIM, nullptr, nullptr, nullptr));

    auto read = list();
    ASSERT_EQ(0, TLPListReadProfile_Dict_Pap(read.get(), kListSIM));
    ProfileItem shownNowUser = written->litem[2];
    shownNowUser.iInMenu = kStateUserShown;
    EXPECT_TRUE(sameList(*list({written->litem[0], shownNowUser, written->litem[3]}), *read));

    auto untouched = filledWithSentinel();
    EXPECT_EQ(-1, TLPListReadProfile_Dict_Pap(untouched.get(), 7));
}

TEST_F(Store, MergeForAppleTalkOrUsbPrinters)
{
    const ProfileItem hiddenOnPrinter = item(1, kStatePrinterPresent, "KEEP.ICC", "k", kLocationDisk);
    const ProfileItem shownOnPrinter = item(2, kStatePrinterPresentShown, "SHOWN.ICC", "s", kLocationDisk);
    const ProfileItem userShown = item(503, kStateUserShown, "USER.ICC", "u", kLocationCard);
    const ProfileItem deletedHere = item(4, kStatePrinterPresent, "GONE.ICC", "g", kLocationDisk);
    const ProfileItem unconfirmed = item(5, kStatePrinterUnconfirmed, "OLD.ICC", "o", kLocationDisk);
    auto file = list({hiddenOnPrinter, shownOnPrinter, userShown, deletedHere, unconfirmed});
    ProfileItem shownAsUser = shownOnPrinter;
    shownAsUser.iInMenu = kStateUserShown;
    auto edited = list({shownAsUser, item(504, kStateUser, "NEW.ICC", "n", kLocationCard)});

    struct Case {
        const char* name;
        std::unique_ptr<ProfileList> deleted;
        std::unique_ptr<ProfileList> expected;
    };
    ProfileItem deletedElsewhere = hiddenOnPrinter;
    deletedElsewhere.iLocation = kLocationCard;
    Case cases[] = {
        {"kept ahead of the edited list", list({deletedHere}),
            list({hiddenOnPrinter, edited->litem[0], edited->litem[1]})},
        {"deleted at another location is still kept", list({deletedElsewhere}),
            list({hiddenOnPrinter, deletedHere, edited->litem[0], edited->litem[1]})},
        {"deleted at the same location is dropped", list({hiddenOnPrinter, deletedHere}),
            list({edited->litem[0], edited->litem[1]})},
    };
    for (Case& c : cases) {
        auto out = filledWithSentinel();
        TLPListMapping_Pap(edited.get(), file.get(), out.get(), c.deleted.get());
        EXPECT_TRUE(sameList(*c.expected, *out)) << c.name;
    }

    // Through the file: every list is merged with its own edits and deletions.
    writeSample(Sample{});
    ASSERT_EQ(0, TLPListWriteProfile_Dict(file.get(), kListDST, nullptr, nullptr, nullptr));
    auto none = list();
    ASSERT_EQ(0,
        TLPListWriteProfile_All_Pap(
            none.get(), none.get(), edited.get(), none.get(), none.get(), cases[0].deleted.get()));
    auto rgb = list(), sim = list(), dst = list();
    ASSERT_EQ(0, TLPListReadProfile_All(rgb.get(), sim.get(), dst.get()));
    EXPECT_TRUE(sameList(*cases[0].expected, *dst));
    Sample sample;
    auto printerOnly = [](const ProfileList& from) {
        auto kept = list();
        for (int i = 0; i < from.iNum; ++i)
            if (from.litem[i].iInMenu == kStatePrinterPresent || from.litem[i].iInMenu == kStatePrinterPresentShown)
                kept->litem[kept->iNum++] = from.litem[i];
        return kept;
    };
    EXPECT_TRUE(sameList(*printerOnly(*sample.rgb), *rgb));
    EXPECT_TRUE(sameList(*printerOnly(*sample.sim), *sim));
}

TEST_F(Store, MergeDropsWhatGoesPastTheLastSlot)
{
    auto file = list(), edited = list(), deleted = list();
    for (int i = 0; i < 300; ++i)
        file->litem[file->iNum++] = item(i + 1, kStatePrinterPresent, "F" + std::to_string(i));
    for (int i = 0; i < 300; ++i) edited->litem[edited->iNum++] = item(600 + i, kStateUser, "E" + std::to_string(i));
    TLPListMapping_Pap(edited.get(), file.get(), edited.get(), deleted.get());
    EXPECT_EQ(500, edited->iNum);
    EXPECT_EQ("F0", std::string(edited->litem[0].FileName));
    EXPECT_EQ("E0", std::string(edited->litem[300].FileName));
    EXPECT_EQ("E199", std::string(edited->litem[499].FileName));
}

TEST_F(Store, ReplaceOneList)
{
    Sample sample;
    writeSample(sample);
    const auto before = readBytes(profileListPath());

    auto given = list({item(9, kStateUserShown, "GIVEN.ICC", "g")});
    auto rgbOut = filledWithSentinel(), simOut = filledWithSentinel(), dstOut = filledWithSentinel();
    EXPECT_EQ(7, TLPListWriteProfile_Dict(given.get(), 7, rgbOut.get(), simOut.get(), dstOut.get()));
    EXPECT_EQ(before, readBytes(profileListPath())) << "list index 7 writes nothing";
    EXPECT_TRUE(sameList(*sample.rgb, *rgbOut));
    EXPECT_TRUE(sameList(*sample.sim, *simOut));
    EXPECT_TRUE(sameList(*sample.dst, *dstOut));

    EXPECT_EQ(0, TLPListWriteProfile_Dict(given.get(), kListSIM, rgbOut.get(), simOut.get(), nullptr));
    EXPECT_TRUE(sameList(*given, *simOut));
    auto rgb = list(), sim = list(), dst = list();
    ASSERT_EQ(0, TLPListReadProfile_All(rgb.get(), sim.get(), dst.get()));
    EXPECT_TRUE(sameList(*sample.rgb, *rgb));
    EXPECT_TRUE(sameList(*given, *sim));
    EXPECT_TRUE(sameList(*sample.dst, *dst));

    // The given record may be its own out-record.
    auto self = list({item(10, kStateUser, "SELF.ICC")});
    auto copy = std::make_unique<ProfileList>(*self);
    EXPECT_EQ(0, TLPListWriteProfile_Dict(self.get(), kListDST, nullptr, nullptr, self.get()));
    EXPECT_TRUE(sameList(*copy, *self));
    ASSERT_EQ(0, TLPListReadProfile_Dict(dst.get(), kListDST));
    EXPECT_TRUE(sameList(*copy, *dst));
}

TEST_F(Store, ReplaceOneListWithoutFileStartsFromEmptyLists)
{
    auto given = list({item(9, kStateUserShown, "GIVEN.ICC")});
    auto rgbOut = filledWithSentinel();
    EXPECT_EQ(0, TLPListWriteProfile_Dict(given.get(), kListRGB, rgbOut.get(), nullptr, nullptr));
    EXPECT_TRUE(sameList(*given, *rgbOut));
    auto sim = list({item(1, 4, "PRIOR.ICC")});
    ASSERT_EQ(0, TLPListReadProfile_Dict(sim.get(), kListSIM));
    EXPECT_TRUE(sameList(*list(), *sim));
}

TEST_F(Store, ProbeLeavesNoFileBehindAndTheMaskAsItWas)
{
    UmaskProbe mask(027);
    // Not even for a moment: a probe that made the real file and removed it could remove another
    // dialog's save renamed into place in between.
    ASSERT_EQ(1, TLPListIsAdminProfile());
    int watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    ASSERT_GE(watch, 0);
    ASSERT_GE(::inotify_add_watch(watch, preferencesFolder().c_str(), IN_CREATE | IN_DELETE | IN_MODIFY), 0);
    EXPECT_EQ(1, TLPListIsAdminProfile());
    char events[4096];
    EXPECT_EQ(-1, ::read(watch, events, sizeof events)) << "the probe touched the folder";
    ::close(watch);
    EXPECT_FALSE(fs::exists(profileListPath()));
    EXPECT_TRUE(filesIn(preferencesFolder()).empty());
    EXPECT_EQ(027u, mask.current());

    writeBytes(profileListPath(), "kept as it is");
    EXPECT_EQ(1, TLPListIsAdminProfile());
    EXPECT_EQ("kept as it is", readBytes(profileListPath()).value_or(""));
    EXPECT_EQ(027u, mask.current());
}

TEST_F(Store, ProbeFailureStopsEveryWriter)
{
    // Works for root as well: nothing can open a folder for writing.
    fs::create_directories(profileListPath());
    Sample sample;
    EXPECT_EQ(0, TLPListIsAdminProfile());
    EXPECT_EQ(-1, TLPListWriteProfile_All(sample.rgb.get(), sample.sim.get(), sample.dst.get()));
    EXPECT_EQ(-1, TLPListWriteProfile_Dict(sample.rgb.get(), kListRGB, nullptr, nullptr, nullptr));
    EXPECT_EQ(-1,
        TLPListWriteProfile_All_Pap(sample.rgb.get(), sample.sim.get(), sample.dst.get(), sample.rgb.get(),
            sample.sim.get(), sample.dst.get()));
    EXPECT_TRUE(fs::is_directory(profileListPath()));
    EXPECT_TRUE(fs::is_empty(profileListPath()));
    EXPECT_EQ(std::vector<std::string>{"jp.tessaluma.printers.zq4410PS.profile.plist"}, filesIn(preferencesFolder()));
}

// Another process rewrites the file in place, keeping its size, at once after a read; the first read
// comes at once after the file was written (within the file clock's tick) or a little later.
TEST_F(Store, ListsAreParsedOnceAndReadAfreshAfterAnotherProcessRewritesThem)
{
    for (auto settle : {std::chrono::milliseconds(0), std::chrono::milliseconds(80)}) {
        SCOPED_TRACE(settle.count());
        Sample sample;
        writeSample(sample);
        std::string bytes = *readBytes(profileListPath());
        writeBytes(profileListPath(), bytes + " ");
        std::this_thread::sleep_for(settle);
        auto& cache = profilefile::ProfileListCache::shared();
        const int before = cache.parses();
        auto one = list();
        for (int i = 0; i < 7; ++i) ASSERT_EQ(0, TLPListReadProfile_Dict(one.get(), i % 3));
        EXPECT_EQ(before + 1, cache.parses());

        const size_t at = bytes.find("PROFILE1.ICC");
        ASSERT_NE(std::string::npos, at);
        bytes.replace(at, 12, "PROFILE2.ICC");
        bytes += "\n";
        const pid_t child = ::fork();
        if (child == 0) {
            const int fd = ::open(profileListPath().c_str(), O_WRONLY);
            const bool written = fd >= 0 && ::pwrite(fd, bytes.data(), bytes.size(), 0) == ssize_t(bytes.size());
            ::_exit(written ? 0 : 1);
        }
        int status = 0;
        ASSERT_EQ(child, ::waitpid(child, &status, 0));
        ASSERT_EQ(0, status);

        auto rgb = list();
        ASSERT_EQ(0, TLPListReadProfile_Dict(rgb.get(), kListRGB));
        EXPECT_STREQ("PROFILE2.ICC", rgb->litem[0].FileName);
        EXPECT_EQ(before + 2, cache.parses());
    }
}

// A save keeps what it wrote as the file's lists: the reads after it parse nothing.
TEST_F(Store, ReadsAfterASaveParseNothing)
{
    Sample sample;
    writeSample(sample);
    const int before = profilefile::ProfileListCache::shared().parses();
    auto rgb = list(), sim = list(), dst = list();
    ASSERT_EQ(0, TLPListReadProfile_All(rgb.get(), sim.get(), dst.get()));
    EXPECT_TRUE(sameList(*sample.sim, *sim));
    EXPECT_EQ(before, profilefile::ProfileListCache::shared().parses());
}

// Saving what the file already holds writes nothing (the same inode and times), whatever layout the
// file has; other lists replace it in the store's own layout.
TEST_F(Store, ASaveOfTheListsOnDiskWritesNothing)
{
    Sample sample;
    ASSERT_FALSE(fs::exists(profileListPath()));
    writeSample(sample);
    ASSERT_TRUE(fs::exists(profileListPath())) << "a missing file is created";
    const std::string ownLayout = *readBytes(profileListPath());
    auto statusOf = [] {
        struct stat status { };
        ::stat(profileListPath().c_str(), &status);
        return std::tuple(status.st_ino, status.st_mtim.tv_sec, status.st_mtim.tv_nsec, status.st_ctim.tv_nsec);
    };
    const auto first = statusOf();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    writeSample(sample);
    EXPECT_EQ(first, statusOf());

    // Another program's layout: two spaces for each tab, the same lists.
    std::string spaced;
    for (char c : ownLayout) spaced += c == '\t' ? std::string("  ") : std::string(1, c);
    writeBytes(profileListPath(), spaced);
    writeSample(sample);
    EXPECT_TRUE(readBytes(profileListPath()) == spaced) << "the same lists in another layout are left as they are";

    sample.dst->litem[0].iLocation = kLocationCard;
    writeSample(sample);
    EXPECT_NE(first, statusOf());
    const std::string changed = readBytes(profileListPath()).value_or("");
    EXPECT_EQ(std::string::npos, changed.find("  <")) << "a change is written in the store's layout";
    EXPECT_EQ(ownLayout.size(), changed.size());
}

TEST_F(Store, FullReadAndWriteAreFast)
{
    auto full = list();
    for (int i = 0; i < kProfileListCapacity; ++i)
        full->litem[i] = item(i + 1, 1 + i % 6, "PROF" + std::to_string(i) + ".ICC",
            "Profile name number " + std::to_string(i), kLocationDisk + i % 2, 1 + i % 3);
    full->iNum = kProfileListCapacity;

    using Clock = std::chrono::steady_clock;
    constexpr int kRounds = 5;
    auto writeStart = Clock::now();
    for (int i = 0; i < kRounds; ++i) ASSERT_EQ(0, TLPListWriteProfile_All(full.get(), full.get(), full.get()));
    auto writeTime = (Clock::now() - writeStart) / kRounds;
    auto rgb = list(), sim = list(), dst = list();
    auto readStart = Clock::now();
    for (int i = 0; i < kRounds; ++i) ASSERT_EQ(0, TLPListReadProfile_All(rgb.get(), sim.get(), dst.get()));
    auto readTime = (Clock::now() - readStart) / kRounds;
    EXPECT_TRUE(sameList(*full, *dst));

    auto ms = [](auto d) { return std::chrono::duration<double, std::milli>(d).count(); };
    std::printf("full write %.1f ms, full read %.1f ms, file %zu bytes\n", ms(writeTime), ms(readTime),
        readBytes(profileListPath()).value_or("").size());
    RecordProperty("write_ms", std::to_string(ms(writeTime)));
    RecordProperty("read_ms", std::to_string(ms(readTime)));
    EXPECT_LT(ms(writeTime), 1000.0);
    EXPECT_LT(ms(readTime), 1000.0);
}

} // namespace
