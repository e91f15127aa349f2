// SPDX-License-Identifier: Apache-2.0
// Profile pop-ups and the per-job profile selection: the shown entries of the profile lists are
// appended to the pop-ups, and a chosen entry is stored in and found again from the model dictionary.
#include "ProfileFixtures.h"

#include "base/Localize.h"
#include "base/Status.h"
#include "binding/PDECommon.h"
#include "cf/Number.h"
#include "cf/String.h"
#include "profiles/store/TLPList.h"
#include "support/TestPaths.h"
#include "ui/Label.h"
#include "ui/PopUpButton.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>

using namespace tlco;
using namespace profiletest;

namespace {

ChoiceList choicesOf(const char* option, std::initializer_list<const char*> keywords)
{
    ChoiceList choices;
    for (const char* keyword : keywords)
        choices.push_back({option, *keywords.begin(), keyword, std::string(keyword) + " text", kConflictFalse});
    return choices;
}

// Part of the advanced view's table: two profile pop-ups of each kind around other controls.
class ProfileMenus : public ProfileFileTest {
protected:
    void SetUp() override
    {
        ProfileFileTest::SetUp();
        pluginBundle = std::make_shared<cf::Bundle>(testpaths::bundleDir(), "jp.tessaluma.pde.zq4410.tlco");
        for (auto* popUp : {&imageRGB, &imageDestination, &simulation, &intent}) popUp->removeAllItems();
        fillFromPPD();
    }
    void TearDown() override { pluginBundle = nullptr; }

    // What building the pop-ups from the PPD leaves: the PPD's choices only.
    void fillFromPPD()
    {
        for (const PDEControlRecord& record : table) {
            if (record.type == kControlEnd) break;
            auto* popUp = dynamic_cast<ui::PopUpButton*>(record.control);
            if (!popUp) continue;
            popUp->removeAllItems();
            for (const ChoiceEntry& choice : *record.choices) popUp->addItemWithTitle(choice.text);
        }
    }

    std::vector<std::string> addedTitles(const ui::PopUpButton& popUp, const ChoiceList& choices) const
    {
        std::vector<std::string> titles;
        for (int i = static_cast<int>(choices.size()); i < popUp.numberOfItems(); ++i)
            titles.push_back(popUp.itemTitleAtIndex(i));
        return titles;
    }

    void writeLists(const ProfileList& rgb, const ProfileList& sim, const ProfileList& dst)
    {
        ASSERT_EQ(0, TLPListWriteProfile_All(&rgb, &sim, &dst));
    }

    std::string stored(const char* key) const
    {
        auto value = model->getString(key);
        return value ? value->utf8() : "<none>";
    }

    ui::PopUpButton imageRGB, imageDestination, simulation, intent;
    ui::Label label;
    ChoiceList rgbChoices = choicesOf("TLImageRGBSource", {"sRGB", "AdobeRGB", "None", "Vivid"});
    ChoiceList dstChoices = choicesOf("TLImageDestinationProfile", {"Default", "Photo"});
    ChoiceList simChoices = choicesOf("TLSimSource", {"SWOP", "Euroscale", "None"});
    ChoiceList intentChoices = choicesOf("TLImageRenderIntent", {"Perceptual", "Colorimetric"});
    PDEControlRecord table[6] = {
        {&imageRGB, kControlPopUp, "TLImageRGBSource", "RGB Source:", "Image RGB Source", "ImageRGBSourcePopup",
            kProfileKindRGB, &rgbChoices},
        {&intent, kControlPopUp, "TLImageRenderIntent", "RGB Intent:", "Image RGB Intent", "ImageRenderIntentPopup",
            kProfileKindNone, &intentChoices},
        {&imageDestination, kControlPopUp, "TLImageDestinationProfile", "Destination Profile:",
            "Image Destination Profile", "ImageDestinationProfilePopup", kProfileKindDestination, &dstChoices},
        {&simulation, kControlPopUp, "TLSimSource", "Simulation Profile:", "Simulation Profile",
            "SimulationSourcePopup", kProfileKindSimulation, &simChoices},
        {&label, kControlLabel, "", "RGB Source:", nullptr, "", kProfileKindNone, nullptr},
        kEndRecord,
    };
    const PDEControlRecord& rgbRecord = table[0];
    const PDEControlRecord& intentRecord = table[1];
    const PDEControlRecord& dstRecord = table[2];
    const PDEControlRecord& simRecord = table[3];
    cf::DictionaryRef model = cf::Dictionary::create();
};

TEST_F(ProfileMenus, ShownEntriesAreAppendedAfterThePPDChoices)
{
    auto rgb =
        list({item(1, 4, "FOUR.ICC", "Four"), item(2, 2, "TWO.ICC", "Two"), item(3, 6, "SIX.ICC", "Six", kLocationCard),
            item(4, 1, "ONE.ICC", "One"), item(5, 3, "THREE.ICC", "Three", 3)});
    auto sim = list({item(7, 4, "SWOP2.ICC", "Swop")});
    auto dst = list({item(8, 5, "HIDDEN.ICC", "Hidden"), item(9, 6, "PROOF.ICC", "Proof")});
    writeLists(*rgb, *sim, *dst);

    // The table holds a plain pop-up and a label, which are no profile pop-ups.
    EXPECT_EQ(paramErr, PDECommon::commonAddMenuFromProfilePlist(table));
    EXPECT_EQ((std::vector<std::string>{"FOUR.ICC(Four)Disk", "SIX.ICC(Six)Card", "THREE.ICC(Three)"}),
        addedTitles(imageRGB, rgbChoices));
    EXPECT_EQ(std::vector<std::string>{"SWOP2.ICC(Swop)Disk"}, addedTitles(simulation, simChoices));
    EXPECT_EQ(std::vector<std::string>{"PROOF.ICC(Proof)Disk"}, addedTitles(imageDestination, dstChoices));
    EXPECT_EQ(2, intent.numberOfItems());
    EXPECT_EQ(std::nullopt, imageRGB.items()[4].representedObject);

    // Each added item k stores the path of the k-th shown entry, which reads back as k.
    const char* expectedPaths[] = {
        "/ata1a/data/USfiles/Profiles/FOUR.ICC", "/ataCf1a/data/USfiles/Profiles/SIX.ICC", "THREE.ICC"};
    for (int16_t k = 1; k <= 3; ++k) {
        EXPECT_EQ(0, PDECommon::commonSetTicketAddedProfile(&rgbRecord, model.get(), k));
        auto encoded = model->getString("TLImageRGBSourceCustomFilename");
        ASSERT_TRUE(encoded);
        std::string expectedEncoding;
        for (unsigned char c : std::string(expectedPaths[k - 1])) {
            expectedEncoding += static_cast<char>('0' + (c >> 4));
            expectedEncoding += static_cast<char>('0' + (c & 15));
        }
        EXPECT_EQ(expectedEncoding, encoded->utf8()) << k;
        // Entries of no known location are numbered but never found again.
        EXPECT_EQ(k == 3 ? 0 : k, PDECommon::commonGetTicketAddedProfile(&rgbRecord, model.get())) << k;
    }
}

TEST_F(ProfileMenus, ChoosingAListProfileFillsTheModelDictionary)
{
    auto rgb =
        list({item(1, 4, "A.ICC", "a"), item(2, 6, "B.ICC", "b"), item(3, 6, "MY.ICC", "Office", kLocationCard)});
    writeLists(*rgb, *list(), *list());
    ASSERT_EQ(paramErr, PDECommon::commonAddMenuFromProfilePlist(table));
    ASSERT_EQ(7, imageRGB.numberOfItems());
    EXPECT_EQ("MY.ICC(Office)Card", imageRGB.itemTitleAtIndex(6));

    // Item 6 of a pop-up with 4 PPD choices is the third shown entry.
    EXPECT_EQ(0, PDECommon::commonSetTicketAddedProfile(&rgbRecord, model.get(), 6 + 1 - 4));
    EXPECT_EQ("sRGB", stored("TLImageRGBSource"));
    EXPECT_EQ("True", stored("TLImageRGBSourceCustom"));
    // "/ataCf1a/data/USfiles/Profiles/MY.ICC", two characters per byte.
    EXPECT_EQ("2?617461436631612?646174612?555366696<65732?50726?66696<65732?4=592>494343",
        stored("TLImageRGBSourceCustomFilename"));
    EXPECT_EQ(3, PDECommon::commonGetTicketAddedProfile(&rgbRecord, model.get()));
    auto flag = cf::as<cf::String>(PDECommon::commonGetTicketAddedProfileFlag(&rgbRecord, model.get()));
    ASSERT_TRUE(flag);
    EXPECT_EQ("True", flag->utf8());

    // Back to a PPD choice: the flag turns, the stored path stays.
    EXPECT_EQ(0, PDECommon::commonSetTicketAddedProfileFlag(&rgbRecord, model.get(), "False"));
    EXPECT_EQ("False", stored("TLImageRGBSourceCustom"));
    EXPECT_EQ(3, PDECommon::commonGetTicketAddedProfile(&rgbRecord, model.get()));
}

TEST_F(ProfileMenus, StoredChoiceIsFoundAfreshFromTheCurrentList)
{
    auto rgb = list({item(1, 4, "A.ICC"), item(2, 4, "B.ICC"), item(3, 4, "C.ICC")});
    writeLists(*rgb, *list(), *list());
    ASSERT_EQ(0, PDECommon::commonSetTicketAddedProfile(&rgbRecord, model.get(), 3));
    EXPECT_EQ(3, PDECommon::commonGetTicketAddedProfile(&rgbRecord, model.get()));

    struct Case {
        const char* name;
        std::unique_ptr<ProfileList> now;
        int32_t expected;
    };
    Case cases[] = {
        {"an entry before it was hidden", list({item(1, 2, "A.ICC"), item(2, 4, "B.ICC"), item(3, 4, "C.ICC")}), 2},
        {"it was hidden", list({item(1, 4, "A.ICC"), item(2, 4, "B.ICC"), item(3, 2, "C.ICC")}), 0},
        {"it moved to the card",
            list({item(1, 4, "A.ICC"), item(2, 4, "B.ICC"), item(3, 4, "C.ICC", "", kLocationCard)}), 0},
        {"it left the list", list({item(1, 4, "A.ICC"), item(2, 4, "B.ICC")}), 0},
        {"name differs in case only", list({item(1, 4, "A.ICC"), item(2, 4, "B.ICC"), item(3, 4, "c.ICC")}), 0},
    };
    for (const Case& c : cases) {
        writeLists(*c.now, *list(), *list());
        EXPECT_EQ(c.expected, PDECommon::commonGetTicketAddedProfile(&rgbRecord, model.get())) << c.name;
    }

    // Without a profile list file nothing can be found.
    TLPListRemove(kFileProfileList);
    EXPECT_EQ(0, PDECommon::commonGetTicketAddedProfile(&rgbRecord, model.get()));
}

TEST_F(ProfileMenus, StoredPathsThatCannotBeReadFindNothing)
{
    auto dst = list({item(1, 4, "A.ICC")});
    writeLists(*list(), *list(), *dst);
    ASSERT_EQ(0, PDECommon::commonSetTicketAddedProfile(&dstRecord, model.get(), 1));
    const std::string encoded = stored("TLImageDestinationProfileCustomFilename");
    ASSERT_EQ(1, PDECommon::commonGetTicketAddedProfile(&dstRecord, model.get()));

    // Pairs "00" decode to NUL bytes, where the path ends: up to 1023 characters are taken.
    struct Case {
        const char* name;
        cf::Ref value;
        int32_t expected;
    };
    const Case cases[] = {
        {"1023 characters", cf::String::create(encoded + std::string(1023 - encoded.size(), '0')), 1},
        {"1024 characters", cf::String::create(encoded + std::string(1024 - encoded.size(), '0')), 0},
        {"not ASCII", cf::String::create(encoded + "\xC3\xA9"), 0},
        {"not a string", cf::Number::create(5), 0},
        {"absent", nullptr, 0},
    };
    for (const Case& c : cases) {
        if (c.value)
            model->set("TLImageDestinationProfileCustomFilename", c.value);
        else
            model->remove("TLImageDestinationProfileCustomFilename");
        EXPECT_EQ(c.expected, PDECommon::commonGetTicketAddedProfile(&dstRecord, model.get())) << c.name;
    }
}

TEST_F(ProfileMenus, NumberBeyondTheShownEntriesStoresAnEmptyPath)
{
    writeLists(*list(), *list({item(1, 4, "S.ICC")}), *list());
    EXPECT_EQ(0, PDECommon::commonSetTicketAddedProfile(&simRecord, model.get(), 2));
    EXPECT_EQ("", stored("TLSimSourceCustomFilename"));
    EXPECT_EQ("True", stored("TLSimSourceCustom"));
    EXPECT_EQ("SWOP", stored("TLSimSource"));
    EXPECT_EQ(0, PDECommon::commonGetTicketAddedProfile(&simRecord, model.get()));
}

TEST_F(ProfileMenus, RecordsThatAreNoProfilePopUps)
{
    writeLists(*list({item(1, 4, "A.ICC")}), *list(), *list());
    model->set("Other", cf::String::create("x"));
    EXPECT_EQ(0, PDECommon::commonSetTicketAddedProfileFlag(&intentRecord, model.get(), "True"));
    EXPECT_EQ(nullptr, PDECommon::commonGetTicketAddedProfileFlag(&intentRecord, model.get()));
    EXPECT_EQ(-1, PDECommon::commonSetTicketAddedProfile(&intentRecord, model.get(), 1));
    EXPECT_EQ(-1, PDECommon::commonGetTicketAddedProfile(&intentRecord, model.get()));
    EXPECT_EQ(1u, model->count());

    EXPECT_EQ(-1, PDECommon::commonSetTicketAddedProfile(&rgbRecord, nullptr, 1));
    EXPECT_EQ(-1, PDECommon::commonGetTicketAddedProfile(&rgbRecord, nullptr));
    EXPECT_EQ(0, PDECommon::commonSetTicketAddedProfileFlag(&rgbRecord, nullptr, "True"));
    EXPECT_EQ(nullptr, PDECommon::commonGetTicketAddedProfileFlag(&rgbRecord, nullptr));
}

TEST_F(ProfileMenus, UnreadableListLeavesThePopUpsAlone)
{
    EXPECT_EQ(-1, PDECommon::commonAddMenuFromProfilePlist(table));
    EXPECT_EQ(4, imageRGB.numberOfItems());
    writeBytes(profileListPath(), "damaged");
    EXPECT_EQ(-1, PDECommon::commonAddMenuFromProfilePlist(table));
    EXPECT_EQ(4, imageRGB.numberOfItems());
}

TEST_F(ProfileMenus, EntriesWithoutALocationWordArePassedOver)
{
    writeLists(*list({item(1, 4, "DISK.ICC", "d"), item(2, 4, "ELSE.ICC", "e", 0),
                   item(3, 4, "CARD.ICC", "c", kLocationCard)}),
        *list(), *list());
    pluginBundle = nullptr;
    EXPECT_EQ(paramErr, PDECommon::commonAddMenuFromProfilePlist(table));
    EXPECT_EQ(std::vector<std::string>{"ELSE.ICC(e)"}, addedTitles(imageRGB, rgbChoices));
}

TEST_F(ProfileMenus, NamesCutInsideACharacterStillGiveItems)
{
    writeLists(*list({item(1, 4, "A.ICC", "a"), item(2, 4, "B.ICC", "b")}), *list(), *list());
    // Eleven three-byte characters: reading cuts the name at 31 bytes, inside the eleventh.
    std::string name;
    for (int i = 0; i < 11; ++i) name += "\xE3\x81\x82";
    auto root = loadFile();
    fieldOf(root, "RGB", "ProfileName")->set("ProfileName0000", cf::String::create(name));
    saveFile(root);

    PDECommon::commonAddMenuFromProfilePlist(table);
    EXPECT_EQ((std::vector<std::string>{"A.ICC(" + name.substr(0, 30) + ")Disk", "B.ICC(b)Disk"}),
        addedTitles(imageRGB, rgbChoices));
}

// Items and numbering must agree even for a list with a hole or a state no writer uses.
TEST_F(ProfileMenus, MenuItemsAndNumberingAgree)
{
    struct Case {
        const char* name;
        ProfileItem second;
        std::vector<std::string> titles;
    };
    // A count of 3 each: the hole's list is packed when read, the other is read as it is.
    const Case cases[] = {{"hole", ProfileItem{}, {"A.ICC()Disk", "B.ICC()Disk", "C.ICC()Disk"}},
        {"unknown state", item(7, 9, "ODD.ICC"), {"A.ICC()Disk", "B.ICC()Disk"}}};
    for (const Case& c : cases) {
        auto rgb = list({item(1, 4, "A.ICC"), c.second, item(3, 6, "B.ICC")});
        if (c.second.iInMenu == 0) rgb->litem[3] = item(4, 4, "C.ICC");
        writeLists(*rgb, *list(), *list());
        fillFromPPD();
        PDECommon::commonAddMenuFromProfilePlist(table);
        ASSERT_EQ(c.titles, addedTitles(imageRGB, rgbChoices)) << c.name;
        ASSERT_EQ(0, PDECommon::commonSetTicketAddedProfile(&rgbRecord, model.get(), 2));
        EXPECT_EQ("2?61746131612?646174612?555366696<65732?50726?66696<65732?422>494343",
            stored("TLImageRGBSourceCustomFilename"))
            << c.name;
        EXPECT_EQ(2, PDECommon::commonGetTicketAddedProfile(&rgbRecord, model.get())) << c.name;
    }
}

TEST_F(ProfileMenus, LocationWordsAreLocalized)
{
    writeLists(*list({item(1, 4, "D.ICC", "d"), item(2, 4, "C.ICC", "c", kLocationCard)}), *list(), *list());
    const char* savedLanguage = std::getenv("LANGUAGE");
    std::string previousLocale = std::setlocale(LC_ALL, nullptr);
    ::setenv("LANGUAGE", "ja", 1);
    std::setlocale(LC_ALL, "C.UTF-8");
    PDECommon::commonAddMenuFromProfilePlist(table);
    std::setlocale(LC_ALL, previousLocale.c_str());
    if (savedLanguage)
        ::setenv("LANGUAGE", savedLanguage, 1);
    else
        ::unsetenv("LANGUAGE");
    EXPECT_EQ((std::vector<std::string>{"D.ICC(d)\xE3\x83\x87\xE3\x82\xA3\xE3\x82\xB9\xE3\x82\xAF",
                  "C.ICC(c)\xE3\x82\xAB\xE3\x83\xBC\xE3\x83\x89"}),
        addedTitles(imageRGB, rgbChoices));
}

} // namespace
