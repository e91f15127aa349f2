// SPDX-License-Identifier: Apache-2.0
// Profiles the user shows in the menus, chosen in a pop-up and carried through the ticket.
#include "HostRun.h"

#include "profiles/store/TLPList.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

using hostrun::printdialog;

namespace {

tlco::ProfileItem profile(int32_t state, const char* file, const char* name, int32_t location)
{
    tlco::ProfileItem item{};
    item.iIndexOnDevice = 7;
    item.iInMenu = state;
    item.iProfileClass = 1;
    std::strncpy(item.FileName, file, sizeof item.FileName - 1);
    std::strncpy(item.ProfileName, name, sizeof item.ProfileName - 1);
    item.iLocation = location;
    return item;
}

// The items from slot 0 on (an empty item leaves a gap); iNum the count given, else the items'.
void writeRGBList(std::initializer_list<tlco::ProfileItem> items, int count = -1)
{
    auto rgb = std::make_unique<tlco::ProfileList>();
    auto empty = std::make_unique<tlco::ProfileList>();
    *rgb = {};
    *empty = {};
    for (const auto& item : items) rgb->litem[rgb->iNum++] = item;
    if (count >= 0) rgb->iNum = count;
    ASSERT_EQ(tlco::TLPListWriteProfile_All(rgb.get(), empty.get(), empty.get()), 0);
}

std::vector<std::string> rgbFileNames()
{
    auto rgb = std::make_unique<tlco::ProfileList>(), other = std::make_unique<tlco::ProfileList>();
    *rgb = {};
    *other = {};
    if (tlco::TLPListReadProfile_Dict(rgb.get(), tlco::kListRGB) != 0) return {"<unreadable>"};
    std::vector<std::string> names;
    for (int i = 0; i < rgb->iNum; ++i) names.emplace_back(rgb->litem[i].FileName);
    return names;
}

// Nibble encoding: each byte becomes '0' + high nibble, '0' + low nibble.
std::string nibbles(const std::string& text)
{
    std::string out;
    for (unsigned char c : text) {
        out += static_cast<char>('0' + (c >> 4));
        out += static_cast<char>('0' + (c & 15));
    }
    return out;
}

TEST(ProfileScript, ShownProfilesFollowThePPDChoicesAndTravelThroughTheTicket)
{
    homesandbox::reset();
    writeRGBList({profile(4, "PROF1.ICC", "Office", 4), profile(2, "HIDDEN.ICC", "Hidden", 4),
        profile(6, "MINE.ICC", "Mine", 5), profile(1, "GONE.ICC", "Gone", 4), profile(3, "OLD.ICC", "Old", 4)});
    std::string ticket = homesandbox::home() + "/profile-ticket.plist";
    std::filesystem::remove(ticket);

    auto first = printdialog({"--ticket", ticket}, "panelView\nrestore\ndump\nselect menu_tRGBSource 5\nsave\ndump\n");
    ASSERT_EQ(first.result.status, 0) << first.result.err;
    auto items = first.answers[2]["state"]["controls"]["menu_iRGBSource"]["items"];
    ASSERT_EQ(items.size(), 7u); // four PPD choices, three shown profiles
    EXPECT_EQ(items[4], "PROF1.ICC(Office)Disk");
    EXPECT_EQ(items[5], "MINE.ICC(Mine)Card");
    EXPECT_EQ(items[6], "OLD.ICC(Old)Disk");

    auto saved = first.state()["ticket"];
    auto model = saved["zq4410"]["zq4410_virtual"];
    EXPECT_EQ(model["TLTextRGBSource"], "None"); // the first PPD choice stands in for the profile
    EXPECT_EQ(model["TLTextRGBSourceCustom"], "True");
    EXPECT_EQ(model["TLTextRGBSourceCustomFilename"], nibbles("/ataCf1a/data/USfiles/Profiles/MINE.ICC"));
    EXPECT_EQ(saved["TLTextRGBSourceCustomFilename"], model["TLTextRGBSourceCustomFilename"]);
    EXPECT_EQ(model["TLImageRGBSourceCustom"], "False");

    auto second = printdialog({"--ticket", ticket}, "panelView\nrestore\ndump\n");
    ASSERT_EQ(second.result.status, 0) << second.result.err;
    EXPECT_EQ(second.state()["controls"]["menu_tRGBSource"]["selected"], 5);

    // The profile leaves the list: the pop-up falls back to the PPD default.
    writeRGBList({profile(4, "PROF1.ICC", "Office", 4)});
    auto third = printdialog({"--ticket", ticket}, "panelView\nrestore\ndump\n");
    ASSERT_EQ(third.result.status, 0) << third.result.err;
    auto controls = third.state()["controls"];
    EXPECT_EQ(controls["menu_tRGBSource"]["items"].size(), 5u);
    EXPECT_EQ(controls["menu_tRGBSource"]["selected"], 1);
}

// A printer can name a profile with characters that turn the text around them backwards; they are
// left out where the name is shown, and kept in the file as the printer sent them.
TEST(ProfileScript, NamesThatReorderTextAreShownWithoutTheirControls)
{
    homesandbox::reset();
    const std::string reversed = "\xE2\x80\xAE"
                                 "cipe\xE2\x81\xA6x\xE2\x81\xA9";
    writeRGBList({profile(4, "PROF1.ICC", reversed.c_str(), 4)});
    auto run = printdialog({}, "panelView\nrestore\ndump\nclick button_ManageProfile\ndump\n");
    ASSERT_EQ(run.result.status, 0) << run.result.err;
    std::vector<nlohmann::json> states;
    for (const auto& answer : run.answers)
        if (answer.contains("state")) states.push_back(answer["state"]);
    ASSERT_EQ(2u, states.size());
    EXPECT_EQ("PROF1.ICC(cipex)Disk", states[0]["controls"]["menu_iRGBSource"]["items"][4]);
    EXPECT_EQ("cipex", states[1]["controls"]["_profileTableView"]["rows"][0]["profilename"]);
    auto rgb = std::make_unique<tlco::ProfileList>();
    *rgb = {};
    ASSERT_EQ(0, tlco::TLPListReadProfile_Dict(rgb.get(), tlco::kListRGB));
    EXPECT_EQ(reversed, rgb->litem[0].ProfileName);
}

// The count is right but a gap lies before the last used item: the item after it is no less kept by
// an OK that changes nothing, on a printer whose profiles are kept by the list alone (USB).
TEST(ProfileScript, AGapInTheListLosesNothingOnAUsbPrinter)
{
    const struct {
        const char* name;
        tlco::ProfileItem last;
        std::vector<std::string> kept;
    } cases[] = {
        {"user profile after the gap", profile(6, "C.ICC", "c", 4), {"A.ICC", "C.ICC"}},
        {"hidden printer profile after the gap", profile(2, "P.ICC", "p", 4), {"P.ICC", "A.ICC"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        homesandbox::reset();
        writeRGBList({profile(6, "A.ICC", "a", 4), tlco::ProfileItem{}, c.last}, 2);
        auto run = printdialog({"--device-uri", "usb://TESSALUMA/zq4410"},
            "panelView\nrestore\nclick button_ManageProfile\nclick button_ProfileWindowOK\n");
        ASSERT_EQ(run.result.status, 0) << run.result.err;
        EXPECT_EQ(c.kept, rgbFileNames());
    }
}

} // namespace
