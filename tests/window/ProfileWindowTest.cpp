// SPDX-License-Identifier: Apache-2.0
// The profile management window through a person's gestures on the widget model: what the table
// shows, ticking, adding, editing, deleting and browsing, the enabled controls in each situation,
// and what the window's OK and Cancel leave in the profile list file and the advanced view.
#include "WindowFixture.h"

#include "base/Localize.h"
#include "cf/String.h"
#include "profiles/IconedCell.h"
#include "profiles/store/ProfileText.h"
#include "support/HomeSandbox.h"
#include "ui/Application.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace tlco;
using namespace windowtest;

namespace {

using Strings = std::vector<std::string>;
using Flags = std::vector<bool>;

Strings states(const ProfileList& list)
{
    Strings out;
    for (int i = 0; i < list.iNum; ++i)
        out.push_back(std::string(fieldText(list.litem[i].FileName)) + ":" + std::to_string(list.litem[i].iInMenu));
    return out;
}

Flags enabled(const std::vector<ui::View*>& views)
{
    Flags out;
    for (const ui::View* view : views) out.push_back(view->isEnabled());
    return out;
}

const Flags kAllOff(9, false);
const Flags kAllOn(9, true);

TEST_F(WindowTest, OpeningShowsTheRGBListIdle)
{
    writeRGB({profile(4, "A.ICC", "Alpha", kLocationDisk), profile(6, "B.ICC", "Beta", kLocationCard),
        profile(1, "C.ICC", "", 3)});
    load(kIPP);
    bool wasOpen = false;
    std::string title;
    runWindow({[&] {
                   wasOpen = window->isVisible();
                   title = window->title();
               },
        [&] { windowCancel->userClick(); }});
    EXPECT_TRUE(wasOpen);
    EXPECT_EQ(title, localizedString("ProfileTitle").value_or("ProfileTitle"));
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(mode(), 0);

    EXPECT_EQ(selector->indexOfSelectedItem(), 0);
    EXPECT_EQ(buttons(), Flags({true, true, false, false}));
    EXPECT_EQ(enabled(editArea()), kAllOff);
    EXPECT_EQ(table->selectedRow(), -1);
    EXPECT_EQ(location->items().size(), 2u);
    EXPECT_EQ(location->itemTitleAtIndex(0), disk());
    EXPECT_EQ(location->itemTitleAtIndex(1), card());

    EXPECT_EQ(table->font(), (ui::Font{"user", 9}));
    for (const char* id : {"filename", "profilename", "location"})
        EXPECT_EQ(table->tableColumnWithIdentifier(id)->dataCell()->font(), (ui::Font{"system", 12})) << id;
    EXPECT_TRUE(std::dynamic_pointer_cast<IconedCell>(table->tableColumnWithIdentifier("icon")->dataCell()));

    ASSERT_EQ(rows(), 3);
    EXPECT_EQ(column("inmenu"), Strings({"1", "1", "0"}));
    EXPECT_EQ(table->tableColumnWithIdentifier("inmenu")->dataCell()->kind(), "switch");
    EXPECT_EQ(column("filename"), Strings({"A.ICC", "B.ICC", "C.ICC"}));
    EXPECT_EQ(column("profilename"), Strings({"Alpha", "Beta", ""}));
    EXPECT_EQ(column("location"), Strings({disk(), card(), ""}));
    EXPECT_EQ(column("icon"), Strings({"", "", ""}));
}

TEST_F(WindowTest, IconMarksProfilesOnANetworkPrinterOnly)
{
    struct Case {
        const char* uri;
        bool network;
    };
    for (const Case& c : {Case{kLPD, true}, Case{"dnssd://Printer._pdl-datastream._tcp.local./", true},
             Case{kIPP, false}, Case{kUSB, false}, Case{"pap://zone/printer", false}}) {
        SCOPED_TRACE(c.uri);
        homesandbox::reset();
        writeRGB({profile(1, "S1.ICC"), profile(2, "S2.ICC"), profile(3, "S3.ICC"), profile(4, "S4.ICC"),
            profile(5, "S5.ICC"), profile(6, "S6.ICC")});
        load(c.uri);
        open();
        auto& cellOfIcon = table->tableColumnWithIdentifier("icon")->dataCell();
        for (int row = 0; row < rows(); ++row) {
            std::string file = cell(row, "filename");
            EXPECT_EQ(cell(row, "icon"), "");
            const bool onPrinter = file == "S2.ICC" || file == "S4.ICC";
            const bool shown = c.network && onPrinter;
            EXPECT_EQ(cellOfIcon->image() != nullptr, shown) << file;
            if (shown) {
                // The bundle's own drawing of the icon the original platform keeps at kProfileIconPath.
                const std::string path = cellOfIcon->image()->path;
                EXPECT_TRUE(path.ends_with("/Library/Printers/TESSALUMA/zq4410/Icons/fileExist4410.png")) << path;
                std::ifstream in(path, std::ios::binary);
                char magic[4] = {};
                EXPECT_TRUE(in.read(magic, 4) && std::string(magic, 4) == "\x89PNG") << path;
            }
        }
        harness.reset();
    }
}

TEST_F(WindowTest, IconCellDrawsAtTheTopLeftOfTheRow)
{
    IconedCell icon;
    ui::TableView flipped;
    ui::View plain;
    icon.drawInteriorWithFrame(ui::makeRect(40, 32, 20, 17), &flipped);
    EXPECT_FALSE(icon.lastCompositePoint());
    icon.setImage(std::make_shared<ui::Image>(ui::Image{"icon.icns", {128, 128}}));
    icon.drawInteriorWithFrame(ui::makeRect(40, 32, 20, 17), &flipped);
    EXPECT_EQ(icon.lastCompositePoint(), (ui::Point{43, 48}));
    EXPECT_EQ(icon.image()->size, (ui::Size{16, 16}));
    icon.drawInteriorWithFrame(ui::makeRect(40, 32, 20, 17), &plain);
    EXPECT_EQ(icon.lastCompositePoint(), (ui::Point{43, 32}));
}

TEST_F(WindowTest, TickBoxTogglesShownState)
{
    writeRGB({profile(1, "S1.ICC"), profile(2, "S2.ICC"), profile(3, "S3.ICC"), profile(4, "S4.ICC"),
        profile(5, "S5.ICC"), profile(6, "S6.ICC")});
    load(kIPP);
    runWindow({[&] {
                   for (int row = 0; row < rows(); ++row) table->userClickTick(row, "inmenu");
                   EXPECT_EQ(column("inmenu"), Strings({"1", "1", "0", "0", "1", "0"}));
                   table->userClickTick(1, "inmenu");
                   table->userClickTick(1, "filename"); // only the tick box column reacts
               },
        [&] { windowOK->userClick(); }});
    EXPECT_EQ(
        states(*readList(kListRGB)), Strings({"S1.ICC:3", "S2.ICC:2", "S3.ICC:1", "S4.ICC:2", "S5.ICC:6", "S6.ICC:5"}));
}

TEST_F(WindowTest, AddingRegistersAShownUserProfile)
{
    load(kIPP);
    runWindow({[&] {
                   add->userClick();
                   EXPECT_EQ(mode(), 1);
                   EXPECT_EQ(buttons(), Flags({false, false, false, false}));
                   EXPECT_EQ(enabled(editArea()), Flags({true, true, true, true, true, true, true, true, false}));
                   fileName->userType("PROF1.ICC");
                   EXPECT_TRUE(localOK->isEnabled());
                   profileName->userType("Office");
                   localOK->userClick();
                   EXPECT_EQ(mode(), 0);
                   EXPECT_EQ(fileName->stringValue(), "");
                   EXPECT_EQ(buttons(), Flags({true, true, false, false}));
                   EXPECT_EQ(enabled(editArea()), kAllOff);
                   EXPECT_EQ(column("filename"), Strings({"PROF1.ICC"}));
                   EXPECT_EQ(column("inmenu"), Strings({"1"}));
               },
        [&] { windowOK->userClick(); }});
    auto rgb = readList(kListRGB);
    ASSERT_EQ(rgb->iNum, 1);
    const ProfileItem& item = rgb->litem[0];
    EXPECT_EQ(item.iIndexOnDevice, 500);
    EXPECT_EQ(item.iInMenu, 6);
    EXPECT_EQ(item.iProfileClass, 2);
    EXPECT_EQ(item.iLocation, 4);
    EXPECT_EQ(fieldText(item.FileName), "PROF1.ICC");
    EXPECT_EQ(fieldText(item.ProfileName), "Office");
    EXPECT_EQ(readList(kListSIM)->iNum, 0);

    // The advanced view lists it once, however often the window closes with OK.
    auto* source = harness->get<ui::PopUpButton>("menu_iRGBSource");
    const std::string title = "PROF1.ICC(Office)" + disk();
    runWindow({[&] { windowOK->userClick(); }});
    int listed = 0;
    for (const auto& menuItem : source->items()) listed += menuItem.title == title;
    EXPECT_EQ(listed, 1);
    EXPECT_EQ(source->items().back().title, title);
}

TEST_F(WindowTest, SameFileNameIsRefusedAtTheSamePlaceOnly)
{
    writeRGB({profile(6, "PROF1.ICC", "One", kLocationDisk)});
    load(kIPP);
    open();
    add->userClick();
    fileName->userType("PROF1.ICC");
    profileName->userType("Two");
    localOK->userClick();
    EXPECT_EQ(mode(), 1); // refused: the edit stays open as it was
    EXPECT_EQ(fileName->stringValue(), "PROF1.ICC");
    EXPECT_EQ(profileName->stringValue(), "Two");
    EXPECT_EQ(rows(), 1);
    fileName->userClear();
    fileName->userType("prof1.icc"); // case counts
    localOK->userClick();
    EXPECT_EQ(mode(), 0);
    add->userClick();
    fileName->userType("PROF1.ICC");
    location->userSelectItem(1);
    localOK->userClick();
    EXPECT_EQ(mode(), 0);
    EXPECT_EQ(column("filename"), Strings({"PROF1.ICC", "prof1.icc", "PROF1.ICC"}));
    EXPECT_EQ(column("location"), Strings({disk(), disk(), card()}));
}

TEST_F(WindowTest, FileNameMustNotBeginWithAFullStop)
{
    load(kIPP);
    open();
    add->userClick();
    ui::Application::shared().queueOpenPanelAnswer("/somewhere/.ICC");
    browse->userClick();
    EXPECT_EQ(fileName->stringValue(), ".ICC");
    localOK->userClick();
    EXPECT_EQ(mode(), 1);
    EXPECT_EQ(rows(), 0);
    fileName->userClear();
    EXPECT_FALSE(localOK->isEnabled());
    localOK->userClick();
    EXPECT_EQ(rows(), 0);
    fileName->userType("PROFILE");
    localOK->userClick();
    EXPECT_EQ(mode(), 0);
    EXPECT_EQ(column("filename"), Strings({"PROFILE"}));
}

TEST_F(WindowTest, EditingAPrinterProfileChangesOnlyItsName)
{
    writeRGB({profile(4, "A.ICC", "Alpha", kLocationDisk, 7), profile(6, "B.ICC", "Beta")});
    load(kIPP);
    open();
    table->userClickRow(0);
    EXPECT_EQ(buttons(), Flags({true, true, true, false}));
    EXPECT_EQ(fileName->stringValue(), "A.ICC");
    EXPECT_EQ(profileName->stringValue(), "Alpha");
    edit->userClick();
    EXPECT_EQ(mode(), 2);
    EXPECT_EQ(buttons(), Flags({false, false, false, false}));
    EXPECT_EQ(enabled(editArea()), Flags({false, true, false, false, true, false, false, true, true}));
    fileName->setStringValue("OTHER.ICC"); // changed by other means
    location->selectItemAtIndex(1);
    profileName->userClear();
    profileName->userType("Renamed");
    localOK->userClick();
    EXPECT_EQ(mode(), 0);
    EXPECT_EQ(cell(0, "filename"), "A.ICC");
    EXPECT_EQ(cell(0, "profilename"), "Renamed");
    EXPECT_EQ(cell(0, "location"), disk());
    EXPECT_EQ(table->selectedRow(), -1);
    EXPECT_EQ(buttons(), Flags({true, true, false, false}));
}

TEST_F(WindowTest, EditingAUserProfileChangesEverythingButMustStayUnique)
{
    writeRGB({profile(6, "B.ICC", "Beta", kLocationDisk, 500), profile(5, "C.ICC", "Gamma", kLocationCard, 501)});
    load(kIPP);
    open();
    table->userClickRow(0);
    EXPECT_EQ(buttons(), Flags({true, true, true, true}));
    edit->userClick();
    EXPECT_EQ(enabled(editArea()), kAllOn);
    localOK->userClick(); // unchanged: the row itself is no duplicate
    EXPECT_EQ(mode(), 0);

    table->userClickRow(0);
    edit->userClick();
    fileName->userClear();
    fileName->userType("C.ICC");
    location->userSelectItem(1);
    localOK->userClick();
    EXPECT_EQ(mode(), 2); // the other row holds C.ICC on the card
    location->userSelectItem(0);
    profileName->userClear();
    profileName->userType("New");
    localOK->userClick();
    EXPECT_EQ(mode(), 0);
    EXPECT_EQ(column("filename"), Strings({"C.ICC", "C.ICC"}));
    EXPECT_EQ(column("profilename"), Strings({"New", "Gamma"}));
    EXPECT_EQ(column("location"), Strings({disk(), card()}));
    EXPECT_EQ(column("inmenu"), Strings({"1", "0"}));
}

TEST_F(WindowTest, DeletingKeepsTheListPacked)
{
    writeRGB({profile(6, "A.ICC"), profile(5, "B.ICC"), profile(6, "C.ICC")});
    load(kIPP);
    runWindow({[&] {
                   table->userClickRow(1);
                   remove->userClick();
                   EXPECT_EQ(column("filename"), Strings({"A.ICC", "C.ICC"}));
                   EXPECT_EQ(table->selectedRow(), -1);
                   EXPECT_EQ(buttons(), Flags({true, true, false, false}));
                   EXPECT_EQ(fileName->stringValue(), "");
               },
        [&] { windowOK->userClick(); }});
    auto rgb = readList(kListRGB);
    EXPECT_EQ(states(*rgb), Strings({"A.ICC:6", "C.ICC:6"}));
    EXPECT_EQ(rgb->litem[2].iInMenu, 0);
}

TEST_F(WindowTest, ProfilesPresentOnThePrinterCannotBeDeleted)
{
    writeRGB({profile(2, "A.ICC"), profile(4, "B.ICC"), profile(1, "C.ICC"), profile(3, "D.ICC"), profile(5, "E.ICC")});
    load(kIPP);
    open();
    const std::vector<bool> deletable = {false, false, true, true, true};
    for (int row = 0; row < 5; ++row) {
        table->userClickRow(row);
        EXPECT_EQ(buttons(), Flags({true, true, true, deletable[static_cast<size_t>(row)]})) << row;
    }
    table->userClickRow(-1);
    EXPECT_EQ(buttons(), Flags({true, true, false, false}));
    EXPECT_EQ(fileName->stringValue(), "");
}

TEST_F(WindowTest, DirectlyConnectedPrinterKeepsDeletedAndReplacedItemsOutOfTheFile)
{
    writeRGB({profile(2, "HID.ICC"), profile(4, "SHOWN.ICC"), profile(6, "MINE.ICC", "", kLocationCard),
        profile(4, "KEEP.ICC")});
    load(kUSB);
    runWindow({[&] {
                   // Hidden printer profiles are left out; shown ones come as the user's own.
                   EXPECT_EQ(column("filename"), Strings({"SHOWN.ICC", "MINE.ICC", "KEEP.ICC"}));
                   EXPECT_EQ(column("inmenu"), Strings({"1", "1", "1"}));
                   table->userClickRow(0);
                   remove->userClick();
                   table->userClickRow(1);
                   edit->userClick();
                   fileName->userClear();
                   fileName->userType("NEW.ICC");
                   localOK->userClick();
               },
        [&] { windowOK->userClick(); }});
    EXPECT_EQ(states(*readList(kListRGB)), Strings({"HID.ICC:2", "MINE.ICC:6", "NEW.ICC:6"}));
}

TEST_F(WindowTest, NetworkPrinterWritesTheListsAsEdited)
{
    writeRGB({profile(2, "HID.ICC"), profile(4, "SHOWN.ICC")});
    load(kIPP);
    runWindow({[&] {
                   table->userClickRow(1);
                   edit->userClick();
                   profileName->userType("x");
                   localOK->userClick();
               },
        [&] { windowOK->userClick(); }});
    EXPECT_EQ(states(*readList(kListRGB)), Strings({"HID.ICC:2", "SHOWN.ICC:4"}));
    EXPECT_EQ(fieldText(readList(kListRGB)->litem[1].ProfileName), "x");
}

struct Browse {
    const char* name;
    std::optional<std::string> answer;
    std::string field;
    bool ok;
};

TEST_F(WindowTest, BrowsingFillsOnlyAUsableFileName)
{
    load(kIPP);
    open();
    const std::vector<Browse> cases = {
        {"cancel leaves the field", std::nullopt, "AB", false},
        {"a plain name", "/p/PROF2.ICC", "PROF2.ICC", true},
        {"13 characters", "/p/ABCDEFGHI.ICC", "", false},
        {"12 characters, 10 before the full stop", "/p/ABCDEFGHIJ.I", "ABCDEFGHIJ.I", true},
        {"a second full stop", "/p/A.B.ICC", "", false},
        {"a space", "/p/MY P.ICC", "", false},
        {"a letter beyond ASCII", "/p/CAF\xC3\x89.ICC", "", false},
        {"a folder", "/p/Profiles/", "Profiles", true},
        {"the root", "/", "", false},
    };
    for (const Browse& c : cases) {
        add->userClick();
        fileName->userType("AB");
        localOK->setEnabled(false);
        if (c.answer) ui::Application::shared().queueOpenPanelAnswer(*c.answer);
        browse->userClick();
        EXPECT_EQ(fileName->stringValue(), c.field) << c.name;
        EXPECT_EQ(localOK->isEnabled(), c.ok) << c.name;
        localCancel->userClick();
    }
    // A browsed name is what a refused keystroke reverts to.
    add->userClick();
    ui::Application::shared().queueOpenPanelAnswer("/p/PROF2.ICC");
    browse->userClick();
    fileName->userType("X");
    EXPECT_EQ(fileName->stringValue(), "PROF2.ICC");
}

TEST_F(WindowTest, CancelWritesNothingAndTheNextOpeningRereadsTheFile)
{
    writeRGB({profile(6, "A.ICC"), profile(6, "B.ICC")});
    const auto before = profileFileBytes();
    ASSERT_TRUE(before);
    load(kUSB);
    runWindow({[&] {
                   add->userClick();
                   fileName->userType("C.ICC");
                   localOK->userClick();
                   table->userClickRow(0);
                   remove->userClick();
                   table->userClickTick(0, "inmenu");
                   EXPECT_EQ(column("filename"), Strings({"B.ICC", "C.ICC"}));
               },
        [&] { windowCancel->userClick(); }});
    EXPECT_EQ(profileFileBytes(), before);
    runWindow({[&] {
                   EXPECT_EQ(column("filename"), Strings({"A.ICC", "B.ICC"}));
               },
        [&] { windowCancel->userClick(); }});
}

TEST_F(WindowTest, AWindowLeftOpenWhenEventsRunOutClosesWithoutWriting)
{
    load(kIPP);
    runWindow({[&] {
        add->userClick();
        fileName->userType("A.ICC");
        localOK->userClick();
    }});
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(profileFileBytes());
}

TEST_F(WindowTest, SelectionAndListStayWhileAddingOrEditing)
{
    writeLists(*makeList({profile(6, "A.ICC"), profile(6, "B.ICC")}), *makeList({profile(6, "S.ICC")}), *makeList());
    load(kIPP);
    open();
    table->userClickRow(0);
    add->userClick();
    table->userClickRow(1);
    EXPECT_EQ(table->selectedRow(), 0);
    EXPECT_FALSE(selector->userSelectItem(1));
    localCancel->userClick();
    EXPECT_EQ(table->selectedRow(), -1);
    EXPECT_EQ(mode(), 0);
    table->userClickRow(1);
    edit->userClick();
    table->userClickRow(0);
    table->userClickRow(-1);
    EXPECT_EQ(table->selectedRow(), 1);
    EXPECT_EQ(fileName->stringValue(), "B.ICC");
    localCancel->userClick();

    table->userClickRow(1);
    EXPECT_TRUE(selector->userSelectItem(1));
    EXPECT_EQ(column("filename"), Strings({"S.ICC"}));
    EXPECT_EQ(table->selectedRow(), -1);
    EXPECT_EQ(fileName->stringValue(), "");
    EXPECT_EQ(buttons(), Flags({true, true, false, false}));
    selector->userSelectItem(2);
    EXPECT_EQ(rows(), 0);
}

TEST_F(WindowTest, AFullListTakesNoMore)
{
    auto full = makeList();
    for (int i = 0; i < kProfileListCapacity; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "P%03d.ICC", i);
        full->litem[i] = profile(6, name);
    }
    full->iNum = kProfileListCapacity;
    writeLists(*full, *makeList(), *makeList());
    load(kIPP);
    open();
    ASSERT_EQ(rows(), 500);
    add->userClick();
    fileName->userType("NEW.ICC");
    localOK->userClick();
    EXPECT_EQ(mode(), 1);
    EXPECT_EQ(rows(), 500);
}

TEST_F(WindowTest, NamesSetByOtherMeansAreCutToATerminatedField)
{
    load(kIPP);
    open();
    add->userClick();
    fileName->setStringValue(std::string(40, 'A'));
    std::string accented;
    for (int i = 0; i < 20; ++i) accented += "\xC3\xA9"; // 40 bytes, 2 per character
    profileName->setStringValue(accented);
    control->profileOK(nullptr);
    ASSERT_EQ(mode(), 0);
    control->profileWindowOK(nullptr);
    auto rgb = readList(kListRGB);
    ASSERT_EQ(rgb->iNum, 1);
    EXPECT_EQ(fieldText(rgb->litem[0].FileName), std::string(31, 'A'));
    EXPECT_EQ(rgb->litem[0].FileName[31], '\0');
    EXPECT_EQ(fieldText(rgb->litem[0].ProfileName), accented.substr(0, 30));
    EXPECT_TRUE(isValidUtf8(fieldText(rgb->litem[0].ProfileName)));
}

TEST_F(WindowTest, OpeningSavesTheAdvancedViewAndOKReappliesConstraints)
{
    load(kIPP);
    auto* grayscale = harness->get<ui::CheckBox>("check_ColorAsGrayscale");
    auto* source = harness->get<ui::PopUpButton>("menu_iRGBSource");
    ASSERT_TRUE(grayscale && source);
    source->selectItemAtIndex(0);
    runWindow({[&] {
                   EXPECT_NE(cf::as<cf::String>(harness->ticket.values()->get("TLImageRGBSource")), nullptr);
                   grayscale->setState(1); // by program: no rule has run yet
                   EXPECT_TRUE(source->isEnabled());
               },
        [&] { windowOK->userClick(); }});
    EXPECT_FALSE(source->isEnabled());
}

TEST_F(WindowTest, ARefusedKeystrokeRevertsToTheRowShownNotToEarlierTyping)
{
    writeRGB({profile(6, "PROF1.ICC", "Mine")});
    load(kIPP);
    open();
    add->userClick();
    fileName->userType("ABC");
    profileName->userType("Typed");
    localCancel->userClick();
    table->userClickRow(0);
    edit->userClick();
    fileName->userType("X");                     // a fourth character after the full stop
    profileName->userType(std::string(27, 'y')); // 31 in all
    EXPECT_EQ(fileName->stringValue(), "PROF1.ICC");
    EXPECT_EQ(profileName->stringValue(), "Mine" + std::string(26, 'y'));
}

} // namespace
