// SPDX-License-Identifier: Apache-2.0
// The profile management window driven by printdialog scripts: Manage Profile opens it, the lines
// that follow feed it until its OK or Cancel.
#include "../host/HostRun.h"

#include "profiles/store/TLPList.h"

#include <gtest/gtest.h>

#include <filesystem>

using hostrun::printdialog;

namespace {

std::vector<nlohmann::json> states(const hostrun::Run& run)
{
    std::vector<nlohmann::json> out;
    for (const auto& answer : run.answers)
        if (answer.contains("state")) out.push_back(answer["state"]);
    return out;
}

bool profileFileExists()
{
    return std::filesystem::exists(homesandbox::home() + "/" + tlco::kProfileListFile);
}

struct WindowScript : ::testing::Test {
    void SetUp() override { homesandbox::reset(); }
};

TEST_F(WindowScript, AddTickAndConfirm)
{
    auto run = printdialog({},
        "restore\n"
        "click button_ManageProfile\n"
        "dump\n"
        "click _addButton\n"
        "type _fileNameEdit PRO F1*.ICCX\n"
        "type _profileNameEdit Office\n"
        "dump\n"
        "click _localOK\n"
        "tick _profileTableView 0\n"
        "dump\n"
        "tick _profileTableView 0\n"
        "click button_ProfileWindowOK\n"
        "dump\n");
    ASSERT_EQ(run.result.status, 0) << run.result.err;
    auto s = states(run);
    ASSERT_EQ(s.size(), 4u);
    EXPECT_EQ(s[0]["window"], nlohmann::json({{"open", true}, {"title", "ProfileTitle"}, {"mode", 0}}));
    EXPECT_EQ(s[0]["controls"]["_profileTableView"]["rows"], nlohmann::json::array());
    EXPECT_FALSE(s[0]["controls"]["_editButton"]["enabled"]);

    EXPECT_EQ(s[1]["window"]["mode"], 1);
    EXPECT_EQ(s[1]["controls"]["_fileNameEdit"]["text"], "PROF1.ICC");
    EXPECT_TRUE(s[1]["controls"]["_localOK"]["enabled"]);
    EXPECT_FALSE(s[1]["controls"]["_profileMenu"]["enabled"]);

    EXPECT_EQ(s[2]["window"]["mode"], 0);
    EXPECT_EQ(s[2]["controls"]["_profileTableView"]["rows"],
        nlohmann::json::parse(
            R"([{"inmenu":0,"icon":"","filename":"PROF1.ICC","profilename":"Office","location":"Disk"}])"));
    EXPECT_EQ(s[2]["controls"]["_profileTableView"]["selectedRow"], -1);

    EXPECT_EQ(s[3]["window"]["open"], false);
    auto items = s[3]["controls"]["menu_iRGBSource"]["items"];
    ASSERT_FALSE(items.empty());
    EXPECT_EQ(items.back(), "PROF1.ICC(Office)Disk");
    EXPECT_TRUE(profileFileExists());
}

TEST_F(WindowScript, CancelWritesNothing)
{
    auto run = printdialog({},
        "restore\n"
        "click button_ManageProfile\n"
        "click _addButton\n"
        "type _fileNameEdit A.ICC\n"
        "click _localOK\n"
        "click button_ProfileWindowCancel\n"
        "dump\n");
    ASSERT_EQ(run.result.status, 0) << run.result.err;
    auto state = run.state();
    EXPECT_EQ(state["window"]["open"], false);
    for (const auto& item : state["controls"]["menu_iRGBSource"]["items"]) EXPECT_NE(item, "A.ICC()Disk");
    EXPECT_FALSE(profileFileExists());
}

TEST_F(WindowScript, BrowseAndEditOnAnotherPrinter)
{
    auto run = printdialog({"--device-uri", "ipp://127.0.0.1:9/ipp/print"},
        "restore\n"
        "click button_ManageProfile\n"
        "select _profileMenu 2\n"
        "click _addButton\n"
        "answer-open /opt/profiles/TOOLONGNAME.ICC\n"
        "click _browse\n"
        "dump\n"
        "answer-open /opt/profiles/DEST.ICC\n"
        "click _browse\n"
        "select _locationMenu 1\n"
        "click _localOK\n"
        "row _profileTableView 0\n"
        "click _editButton\n"
        "row _profileTableView none\n"
        "dump\n"
        "click _localCancel\n"
        "click button_ProfileWindowOK\n"
        "dump\n");
    ASSERT_EQ(run.result.status, 0) << run.result.err;
    auto s = states(run);
    ASSERT_EQ(s.size(), 3u);
    EXPECT_EQ(s[0]["controls"]["_fileNameEdit"]["text"], "");
    EXPECT_FALSE(s[0]["controls"]["_localOK"]["enabled"]);
    EXPECT_EQ(s[1]["window"]["mode"], 2);
    EXPECT_EQ(s[1]["controls"]["_profileTableView"]["selectedRow"], 0);
    EXPECT_EQ(s[1]["controls"]["_fileNameEdit"]["text"], "DEST.ICC");
    EXPECT_EQ(s[1]["controls"]["_profileTableView"]["rows"][0]["location"], "Card");
    auto items = s[2]["controls"]["menu_iDestinationProfile"]["items"];
    ASSERT_FALSE(items.empty());
    EXPECT_EQ(items.back(), "DEST.ICC()Card");
    EXPECT_EQ(s[2]["controls"]["menu_iRGBSource"]["items"], s[0]["controls"]["menu_iRGBSource"]["items"]);
}

TEST_F(WindowScript, OpeningWritesTheAdvancedViewIntoTheTicket)
{
    auto run = printdialog({}, "restore\ndump\nclick button_ManageProfile\nclick button_ProfileWindowCancel\ndump\n");
    ASSERT_EQ(run.result.status, 0) << run.result.err;
    auto s = states(run);
    ASSERT_EQ(s.size(), 2u);
    EXPECT_FALSE(s[0]["ticket"].contains("TLImageRGBSource"));
    EXPECT_TRUE(s[1]["ticket"].contains("TLImageRGBSource"));
}

TEST_F(WindowScript, ScriptEndingInsideTheWindowEndsCleanly)
{
    auto run = printdialog(
        {}, "restore\nclick button_ManageProfile\nclick _addButton\ntype _fileNameEdit A.ICC\nclick _localOK\n");
    EXPECT_EQ(run.result.status, 0) << run.result.err;
    EXPECT_FALSE(profileFileExists());
}

TEST_F(WindowScript, WrongGestureInsideTheWindowIsAScriptError)
{
    auto run = printdialog({}, "restore\nclick button_ManageProfile\ntick _profileTableView 0\n");
    EXPECT_EQ(run.result.status, 2);
    EXPECT_NE(run.result.err.find("line 3"), std::string::npos) << run.result.err;
}

} // namespace
