// SPDX-License-Identifier: Apache-2.0
// Profiles the user shows in the menus, chosen in a pop-up and carried through the ticket.
#include "HostRun.h"

#include "profiles/store/TLPList.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <memory>

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

void writeRGBList(std::initializer_list<tlco::ProfileItem> items)
{
    auto rgb = std::make_unique<tlco::ProfileList>();
    auto empty = std::make_unique<tlco::ProfileList>();
    *rgb = {};
    *empty = {};
    for (const auto& item : items) rgb->litem[rgb->iNum++] = item;
    ASSERT_EQ(tlco::TLPListWriteProfile_All(rgb.get(), empty.get(), empty.get()), 0);
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
    std::string ticket = ::testing::TempDir() + "/profile-ticket.plist";
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

} // namespace
