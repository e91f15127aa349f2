// SPDX-License-Identifier: Apache-2.0
// Ticket synchronisation of profile pop-ups: the extra model-dictionary keys for a chosen list
// profile, written and read through the profile hooks, over a profile list in a sandbox home.
#include "BindingTestSupport.h"

#include "base/Status.h"
#include "cf/Number.h"
#include "profiles/store/TLPList.h"
#include "support/HomeSandbox.h"

#include <gtest/gtest.h>

#include <cstring>

using bindingtest::openPPD;
using tlco::PDECommon;
using tlco::PDEControlRecord;
using tlco::ProfileItem;
using tlco::ProfileList;

namespace {

ProfileItem item(int32_t state, const char* fileName, const char* profileName, int32_t location)
{
    ProfileItem entry{};
    entry.iInMenu = state;
    entry.iLocation = location;
    std::strncpy(entry.FileName, fileName, sizeof entry.FileName - 1);
    std::strncpy(entry.ProfileName, profileName, sizeof entry.ProfileName - 1);
    return entry;
}

void writeDestinationList(std::initializer_list<ProfileItem> items)
{
    auto lists = std::make_unique<ProfileList[]>(3);
    for (int i = 0; i < 3; ++i) lists[i] = ProfileList{};
    for (const auto& entry : items) lists[tlco::kListDST].litem[lists[tlco::kListDST].iNum++] = entry;
    ASSERT_EQ(tlco::TLPListWriteProfile_All(&lists[tlco::kListRGB], &lists[tlco::kListSIM], &lists[tlco::kListDST]),
        tlco::kTLPListOK);
}

std::string nibbles(const std::string& text)
{
    std::string encoded;
    for (unsigned char byte : text) {
        encoded += static_cast<char>(48 + (byte >> 4));
        encoded += static_cast<char>(48 + (byte & 15));
    }
    return encoded;
}

std::string stringAt(const cf::Dictionary& dictionary, const std::string& key)
{
    auto text = dictionary.getString(key);
    return text ? text->utf8() : "<none>";
}

// Shown entries: A.ICC (k = 1), MY.ICC on the card (k = 2), C.ICC (k = 3); HIDDEN.ICC is not shown.
class ProfileSync : public ::testing::Test {
protected:
    void SetUp() override
    {
        homesandbox::reset();
        bindingtest::useBundle();
        writeDestinationList({item(tlco::kStatePrinterPresentShown, "A.ICC", "Alpha", tlco::kLocationDisk),
            item(tlco::kStatePrinterPresent, "HIDDEN.ICC", "Hidden", tlco::kLocationDisk),
            item(tlco::kStateUserShown, "MY.ICC", "Office", tlco::kLocationCard),
            item(tlco::kStatePrinterUnconfirmedShown, "C.ICC", "Gamma", tlco::kLocationDisk)});
        ppd = openPPD(testpaths::ppd("zq4410.ppd"));
        destination = panel.popUp("TLImageDestinationProfile", nullptr, tlco::kProfileKindDestination);
        halftone = panel.popUp("TLImageHalftone");
        table = panel.buildWithItems(ppd.get());
        PDECommon::commonAddMenuFromProfilePlist(table);
        PDECommon::commonDefaultFromPPDInfo(table);
        model = PDECommon::commonGetModelDictionary(&ticket, &session);
    }
    void TearDown() override { tlco::pluginBundle = nullptr; }

    int32_t write() { return PDECommon::commonSyncTicketFromPane(&ticket, &session, table); }
    int32_t read() { return PDECommon::commonSyncPaneFromTicket(&ticket, &session, table); }

    bindingtest::PPDFile ppd;
    bindingtest::Panel panel;
    ui::PopUpButton* destination = nullptr;
    ui::PopUpButton* halftone = nullptr;
    PDEControlRecord* table = nullptr;
    pm::PrintSettings ticket;
    pm::Session session{std::make_shared<pm::Printer>("Queue_A", std::nullopt)};
    cf::DictionaryRef model;
};

TEST_F(ProfileSync, APPDChoiceWritesItsKeywordAndTheFlagFalse)
{
    ASSERT_EQ(destination->numberOfItems(), 7);
    destination->selectItemAtIndex(3);
    EXPECT_EQ(write(), tlco::noErr);
    EXPECT_EQ(stringAt(*model, "TLImageDestinationProfile"), "Proof");
    EXPECT_EQ(stringAt(*model, "TLImageDestinationProfileCustom"), "False");
    EXPECT_FALSE(model->contains("TLImageDestinationProfileCustomFilename"));
    EXPECT_FALSE(model->contains("TLImageHalftoneCustom")); // an ordinary pop-up has no flag
    EXPECT_EQ(stringAt(*ticket.values(), "TLImageDestinationProfileCustom"), "False");
}

TEST_F(ProfileSync, AListProfileWritesTheFirstChoiceTheFlagAndThePathAndReadsBack)
{
    destination->selectItemAtIndex(5); // four PPD choices, then the second shown entry
    EXPECT_EQ(write(), tlco::noErr);
    const std::string path = nibbles("/ataCf1a/data/USfiles/Profiles/MY.ICC");
    EXPECT_EQ(stringAt(*model, "TLImageDestinationProfile"), "Auto");
    EXPECT_EQ(stringAt(*model, "TLImageDestinationProfileCustom"), "True");
    EXPECT_EQ(stringAt(*model, "TLImageDestinationProfileCustomFilename"), path);
    EXPECT_EQ(stringAt(*ticket.values(), "TLImageDestinationProfileCustom"), "True");
    EXPECT_EQ(stringAt(*ticket.values(), "TLImageDestinationProfileCustomFilename"), path);

    PDECommon::commonDefaultFromPPDInfo(table);
    ASSERT_EQ(destination->indexOfSelectedItem(), 0);
    EXPECT_EQ(read(), tlco::noErr);
    EXPECT_EQ(destination->indexOfSelectedItem(), 5);

    // Back to a PPD choice: its keyword and "False"; the old path stays.
    destination->selectItemAtIndex(1);
    write();
    EXPECT_EQ(stringAt(*model, "TLImageDestinationProfile"), "Standard");
    EXPECT_EQ(stringAt(*model, "TLImageDestinationProfileCustom"), "False");
    EXPECT_EQ(stringAt(*model, "TLImageDestinationProfileCustomFilename"), path);
    destination->selectItemAtIndex(0);
    read();
    EXPECT_EQ(destination->indexOfSelectedItem(), 1);
}

TEST_F(ProfileSync, AStoredProfileThatLeftTheListFallsBackToTheDefault)
{
    destination->selectItemAtIndex(5);
    write();
    writeDestinationList({item(tlco::kStatePrinterPresentShown, "A.ICC", "Alpha", tlco::kLocationDisk)});
    destination->selectItemAtIndex(2);
    read();
    EXPECT_EQ(destination->indexOfSelectedItem(), 0); // TLImageDestinationProfile defaults to Auto
}

TEST_F(ProfileSync, TheFlagCountsOnlyForProfilePopUpsAndOnlyAsTheStringTrue)
{
    model->set("TLImageHalftone", cf::String::create("Detail"));
    model->set("TLImageHalftoneCustom", cf::String::create("True"));
    model->set("TLImageDestinationProfile", cf::String::create("Photo"));
    model->set("TLImageDestinationProfileCustom", cf::String::create("true"));
    model->set(
        "TLImageDestinationProfileCustomFilename", cf::String::create(nibbles("/ata1a/data/USfiles/Profiles/C.ICC")));
    read();
    EXPECT_EQ(halftone->indexOfSelectedItem(), 2);
    EXPECT_EQ(destination->indexOfSelectedItem(), 2); // "true" is no flag: the stored choice counts

    model->set("TLImageDestinationProfileCustom", cf::Number::create(int64_t{1}));
    destination->selectItemAtIndex(0);
    read();
    EXPECT_EQ(destination->indexOfSelectedItem(), 2);

    model->set("TLImageDestinationProfileCustom", cf::String::create("True"));
    read();
    EXPECT_EQ(destination->indexOfSelectedItem(), 6); // C.ICC is the third shown entry
}

} // namespace
