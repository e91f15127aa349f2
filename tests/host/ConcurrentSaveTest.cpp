// SPDX-License-Identifier: Apache-2.0
// Dialogs that save at once: each keeps the others' profiles and printers' settings, and a lock left
// by a process that died holds no one up.
#include "HostRun.h"
#include "support/ChildProcess.h"

#include "cf/Dictionary.h"
#include "cf/File.h"
#include "cf/PropertyList.h"
#include "profiles/store/TLPList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <signal.h>
#include <thread>

namespace fs = std::filesystem;

namespace {

constexpr int kDialogs = 8;
constexpr int kRounds = 20;

// $1 printdialog, $2 the ticket, $3 rounds. Each dialog adds profile W<d>R<r>.ICC in the profile
// window and saves the ticket for printer P<d>_<r>; the dialogs run side by side.
constexpr const char* kDialogsSideBySide = R"(
pd=$1 ticket=$2 rounds=$3
dialog() {
  r=0
  while [ $r -lt $rounds ]; do
    printf 'panelView\nrestore\nclick button_ManageProfile\nclick _addButton\ntype _fileNameEdit W%sR%s.ICC\nclick _localOK\nclick button_ProfileWindowOK\nsave\n' $1 $r |
      "$pd" --json --script - --ticket "$ticket" --printer-id "P$1_$r" >/dev/null || echo "dialog $1 round $r: status $?" >&2
    r=$((r + 1))
  done
}
for d in 1 2 3 4 5 6 7 8; do dialog $d & done
wait
)";

std::set<std::string> rgbFileNames()
{
    auto rgb = std::make_unique<tlco::ProfileList>();
    *rgb = {};
    if (tlco::TLPListReadProfile_Dict(rgb.get(), tlco::kListRGB) != 0) return {"<unreadable>"};
    std::set<std::string> names;
    for (int i = 0; i < rgb->iNum; ++i) names.insert(rgb->litem[i].FileName);
    return names;
}

std::set<std::string> ticketPrinters(const std::string& path)
{
    auto ticket = cf::as<cf::Dictionary>(cf::PropertyList::createFromData(cf::File::read(path).value_or("")));
    auto models = ticket ? ticket->getDictionary("zq4410") : nullptr;
    if (!models) return {"<unreadable>"};
    std::set<std::string> printers;
    for (const auto& [printer, settings] : models->stringEntries())
        if (cf::as<cf::Dictionary>(settings)) printers.insert(printer);
    return printers;
}

std::vector<std::string> strays(const std::string& folder)
{
    std::vector<std::string> found;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name.find(".plist.") != std::string::npos) found.push_back(name);
    }
    return found;
}

TEST(ConcurrentSaves, EveryDialogKeepsTheOthersProfilesAndPrinters)
{
    homesandbox::reset();
    const std::string folder = homesandbox::home() + "/tickets";
    fs::create_directories(folder);
    const std::string ticket = folder + "/shared.plist";
    auto result = testproc::run(
        {"/bin/sh", "-c", kDialogsSideBySide, "sh", testpaths::printdialog(), ticket, std::to_string(kRounds)}, "",
        {"LC_ALL=C"}, 600);
    EXPECT_EQ(0, result.status);
    EXPECT_EQ("", result.err);

    std::set<std::string> profiles, printers = {"zq4410_virtual"};
    for (int d = 1; d <= kDialogs; ++d)
        for (int r = 0; r < kRounds; ++r) {
            profiles.insert("W" + std::to_string(d) + "R" + std::to_string(r) + ".ICC");
            printers.insert("P" + std::to_string(d) + "_" + std::to_string(r));
        }
    EXPECT_EQ(profiles, rgbFileNames());
    auto saved = ticketPrinters(ticket);
    saved.insert("zq4410_virtual");
    EXPECT_EQ(printers, saved);
    EXPECT_EQ(std::vector<std::string>{}, strays(folder));
    EXPECT_EQ(std::vector<std::string>{}, strays(homesandbox::home() + "/Library/Preferences"));
}

// Another program holds the lock (flock(2) on the lock file beside the list): a save waits for it,
// and a holder that was killed leaves nothing that blocks.
TEST(ConcurrentSaves, TheLockOfALiveHolderIsWaitedForAndADeadOneBlocksNothing)
{
    const struct {
        const char* name;
        bool killed;
    } cases[] = {{"holder ends after a second", false}, {"holder killed", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        homesandbox::reset();
        const std::string list = homesandbox::home() + "/" + tlco::kProfileListFile;
        fs::create_directories(fs::path(list).parent_path());
        testproc::ChildProcess holder;
        ASSERT_TRUE(holder.start({"python3", "-c",
                                     "import fcntl, sys, time\n"
                                     "f = open(sys.argv[1], 'a')\n"
                                     "fcntl.flock(f, fcntl.LOCK_EX)\n"
                                     "time.sleep(float(sys.argv[2]))",
                                     list + ".lock", c.killed ? "60" : "1"},
            homesandbox::home() + "/holder.log"));
        for (int i = 0; i < 500 && !fs::exists(list + ".lock"); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        if (c.killed) holder.kill();
        auto run = hostrun::printdialog({},
            "panelView\nrestore\nclick button_ManageProfile\nclick _addButton\ntype _fileNameEdit NEW.ICC\n"
            "click _localOK\nclick button_ProfileWindowOK\n");
        EXPECT_EQ(0, run.result.status) << run.result.err;
        EXPECT_EQ("", run.result.err);
        EXPECT_EQ(std::set<std::string>{"NEW.ICC"}, rgbFileNames());
        EXPECT_FALSE(fs::exists(list + ".lock"));
    }
}

} // namespace
