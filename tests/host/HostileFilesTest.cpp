// SPDX-License-Identifier: Apache-2.0
// Damaged and hostile files where the dialog keeps its data (the profile list, the ticket): each is
// refused or read around with a clear line, never crashes or hangs the dialog, and what was on disk
// is kept.
#include "HostRun.h"
#include "support/UnprivilegedHome.h"

#include "cf/Dictionary.h"
#include "cf/File.h"
#include "cf/Number.h"
#include "cf/PropertyList.h"
#include "profiles/store/TLPList.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;
using hostrun::printdialog;

namespace {

void writeBytes(const std::string& path, const std::string& bytes)
{
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::string readBytes(const std::string& path)
{
    return cf::File::read(path).value_or("<unreadable>");
}

// {"ok": 1, "é\0b": "x"} as a binary property list: the key holds U+0000.
std::string binaryWithNulKey()
{
    const unsigned char bytes[] = {0x62, 0x70, 0x6c, 0x69, 0x73, 0x74, 0x30, 0x30, 0xd2, 0x01, 0x02, 0x03, 0x04, 0x52,
        0x6f, 0x6b, 0x63, 0x00, 0xe9, 0x00, 0x00, 0x00, 0x62, 0x10, 0x01, 0x51, 0x78, 0x08, 0x0d, 0x10, 0x17, 0x19,
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x05, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x1b};
    return std::string(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

std::string deeplyNested(size_t depth)
{
    std::string body;
    for (size_t i = 0; i < depth; ++i) body += "<dict><key>k</key>";
    body += "<true/>";
    for (size_t i = 0; i < depth; ++i) body += "</dict>";
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">" + body + "</plist>";
}

std::string xml(const cf::DictionaryRef& root)
{
    return cf::PropertyList::createXMLData(root).value();
}

// How a case puts its file in place: bytes, or something that is not a plain file.
using FileSetup = std::function<void(const std::string& path)>;

FileSetup bytesOf(std::string bytes)
{
    return [bytes](const std::string& path) { writeBytes(path, bytes); };
}

const FileSetup kFifo = [](const std::string& path) {
    fs::create_directories(fs::path(path).parent_path());
    ASSERT_EQ(0, ::mkfifo(path.c_str(), 0644));
};
const FileSetup kLinkToDevZero = [](const std::string& path) {
    fs::create_directories(fs::path(path).parent_path());
    fs::create_symlink("/dev/zero", path);
};
const FileSetup kHuge = [](const std::string& path) {
    writeBytes(path, "<?xml version=\"1.0\"?>");
    fs::resize_file(path, (17u << 20));
};

// What lies at the path, to compare before and after.
std::string snapshot(const std::string& path)
{
    struct stat info { };
    if (::lstat(path.c_str(), &info) != 0) return "<none>";
    if (S_ISLNK(info.st_mode)) return "<link to " + fs::read_symlink(path).string() + ">";
    if (S_ISFIFO(info.st_mode)) return "<fifo>";
    if (info.st_size > (1 << 20)) return "<" + std::to_string(info.st_size) + " bytes>";
    return readBytes(path);
}

// ---- the profile list ----

struct ProfileListFiles : ::testing::Test {
    void SetUp() override { homesandbox::reset(); }
    static std::string path() { return homesandbox::home() + "/" + tlco::kProfileListFile; }
};

std::unique_ptr<tlco::ProfileList> rgbList(std::initializer_list<const char*> files)
{
    auto list = std::make_unique<tlco::ProfileList>();
    *list = {};
    for (const char* file : files) {
        tlco::ProfileItem& item = list->litem[list->iNum++];
        item.iIndexOnDevice = 500 + list->iNum;
        item.iInMenu = tlco::kStateUserShown;
        item.iProfileClass = 2;
        std::strncpy(item.FileName, file, sizeof item.FileName - 1);
        item.iLocation = tlco::kLocationDisk;
    }
    return list;
}

// A good file holding A.ICC and B.ICC in the RGB list, as the store writes it, read back as a tree.
cf::DictionaryRef goodProfileList()
{
    auto rgb = rgbList({"A.ICC", "B.ICC"});
    auto empty = rgbList({});
    EXPECT_EQ(0, tlco::TLPListWriteProfile_All(rgb.get(), empty.get(), empty.get()));
    auto root = cf::as<cf::Dictionary>(cf::PropertyList::createFromData(readBytes(ProfileListFiles::path())));
    fs::remove(ProfileListFiles::path());
    return root;
}

std::vector<std::string> rgbFileNames()
{
    auto rgb = rgbList({}), sim = rgbList({}), dst = rgbList({});
    if (tlco::TLPListReadProfile_All(rgb.get(), sim.get(), dst.get()) != 0) return {"<unreadable>"};
    std::vector<std::string> names;
    for (int i = 0; i < rgb->iNum; ++i) names.emplace_back(rgb->litem[i].FileName);
    return names;
}

enum class Outcome {
    Read,     // read around what the layout does not use; the save keeps the old entries
    SetAside, // no profile list in it: kept as .damaged, the save writes a fresh file
    Refused,  // cannot be read at all: left exactly as it was, the save reports its failure
};

TEST_F(ProfileListFiles, HostileFilesAreReadAroundSetAsideOrRefused)
{
    struct Case {
        const char* name;
        std::function<FileSetup()> setup; // built inside the sandbox, after reset
        Outcome outcome;
        std::vector<std::string> namesAfter; // the RGB list after the save, unless Refused
        const char* message;                 // expected on stderr, "" for silence
    };
    auto edited = [](std::function<void(cf::Dictionary&)> edit) {
        return [edit]() {
            auto root = goodProfileList();
            edit(*root);
            return bytesOf(xml(root));
        };
    };
    const std::string date = "<date>2020-01-01T00:00:00Z</date>";
    const Case cases[] = {
        {"date under an unknown key",
            [&] {
                std::string text = xml(goodProfileList());
                text.insert(text.find("<key>PlistVersion</key>"), "<key>Synced</key>" + date);
                text.insert(text.find("<key>InMenu0003</key>"), "<key>Stamp</key>" + date);
                return bytesOf(text);
            },
            Outcome::Read, {"A.ICC", "B.ICC", "NEW.ICC"}, ""},
        {"wrong-typed first state", edited([](cf::Dictionary& root) {
             root.getDictionary("RGB")->getDictionary("InMenu")->set("InMenu0000", cf::String::create("6"));
         }),
            Outcome::Read, {"B.ICC", "NEW.ICC"}, ""},
        // The window reads the RGB list alone, which is intact.
        {"class of the wrong type", edited([](cf::Dictionary& root) { root.set("SIM", cf::Number::create(1)); }),
            Outcome::SetAside, {"A.ICC", "B.ICC", "NEW.ICC"}, "is kept as"},
        {"field of the wrong type",
            edited([](cf::Dictionary& root) { root.getDictionary("DST")->set("Location", cf::String::create("x")); }),
            Outcome::SetAside, {"A.ICC", "B.ICC", "NEW.ICC"}, "is kept as"},
        {"root is an array", [] { return bytesOf("<?xml version=\"1.0\"?><plist version=\"1.0\"><array/></plist>"); },
            Outcome::SetAside, {"NEW.ICC"}, "is kept as"},
        {"truncated",
            [] {
                std::string text = xml(goodProfileList());
                return bytesOf(text.substr(0, text.size() / 2));
            },
            Outcome::SetAside, {"NEW.ICC"}, "is kept as"},
        {"nested 40000 deep", [] { return bytesOf(deeplyNested(40000)); }, Outcome::SetAside, {"NEW.ICC"},
            "is kept as"},
        {"binary key holding U+0000", [] { return bytesOf(binaryWithNulKey()); }, Outcome::SetAside, {"NEW.ICC"},
            "is kept as"},
        {"FIFO", [] { return kFifo; }, Outcome::Refused, {}, "cannot save the profile list"},
        {"link to /dev/zero", [] { return kLinkToDevZero; }, Outcome::Refused, {}, "cannot save the profile list"},
        {"17 MB", [] { return kHuge; }, Outcome::Refused, {}, "larger than 16 MB"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        homesandbox::reset();
        const std::string backup = homesandbox::home() + "/" + tlco::kProfileBackupFile;
        c.setup()(path());
        writeBytes(backup, "a good backup");
        const std::string before = snapshot(path());
        auto run = printdialog({},
            "panelView\nrestore\nclick button_ManageProfile\nclick _addButton\n"
            "type _fileNameEdit NEW.ICC\nclick _localOK\nclick button_ProfileWindowOK\n");
        EXPECT_EQ(0, run.result.status) << run.result.err;
        if (*c.message)
            EXPECT_NE(std::string::npos, run.result.err.find(c.message)) << run.result.err;
        else
            EXPECT_EQ("", run.result.err);
        // Only a file that reads as a profile list replaces the backup.
        EXPECT_EQ(c.outcome == Outcome::Read ? before : "a good backup", snapshot(backup));
        switch (c.outcome) {
        case Outcome::Read:
            EXPECT_EQ(c.namesAfter, rgbFileNames());
            EXPECT_FALSE(fs::exists(path() + ".damaged"));
            break;
        case Outcome::SetAside:
            EXPECT_EQ(before, snapshot(path() + ".damaged"));
            EXPECT_EQ(c.namesAfter, rgbFileNames());
            break;
        case Outcome::Refused:
            EXPECT_EQ(before, snapshot(path()));
            EXPECT_FALSE(fs::exists(path() + ".damaged"));
            break;
        }
    }
}

// ---- the ticket ----

cf::DictionaryRef dictionaryOf(std::initializer_list<std::pair<const char*, cf::Ref>> entries)
{
    auto dictionary = cf::Dictionary::create();
    for (const auto& [key, value] : entries) dictionary->set(key, value);
    return dictionary;
}

TEST(TicketFiles, HostileTicketsAreRefusedOrRepairedNeverACrash)
{
    homesandbox::reset();
    struct Case {
        const char* name;
        FileSetup setup;
        int status;
        const char* message; // expected on stderr, "" for silence
        // For status 0: checks the saved ticket; else the file must be as it was.
        std::function<void(const cf::Dictionary&)> check;
    };
    auto modelOf = [](const cf::Dictionary& ticket) {
        auto models = ticket.getDictionary("zq4410");
        return models ? models->getDictionary("zq4410_virtual") : nullptr;
    };
    auto hasModel = [modelOf](const cf::Dictionary& ticket) {
        auto model = modelOf(ticket);
        ASSERT_TRUE(model);
        EXPECT_TRUE(model->getString("TLQuickColor"));
    };
    const Case cases[] = {
        {"nested 40000 deep", bytesOf(deeplyNested(40000)), 1, "is not a property-list dictionary", nullptr},
        {"FIFO", kFifo, 1, "not a regular file", nullptr},
        {"link to /dev/zero", kLinkToDevZero, 1, "not a regular file", nullptr},
        {"17 MB", kHuge, 1, "larger than 16 MB", nullptr},
        {"binary key holding U+0000", bytesOf(binaryWithNulKey()), 0, "",
         [hasModel](const cf::Dictionary& ticket) {
             EXPECT_TRUE(ticket.contains("ok"));
             for (const auto& [key, value] : ticket.stringEntries()) EXPECT_EQ(std::string::npos, key.find("b"));
             hasModel(ticket);
         }},
        {"reals beyond the integer range",
         bytesOf(xml(dictionaryOf({{"big", cf::Number::createReal(1e300)}, {"low", cf::Number::createReal(-1e300)}}))),
         0, "", hasModel},
        {"model code holding a string", bytesOf(xml(dictionaryOf({{"zq4410", cf::String::create("x")}}))), 0,
         "zq4410", hasModel},
        {"printer ID holding a string",
         bytesOf(xml(dictionaryOf({{"zq4410", dictionaryOf({{"zq4410_virtual", cf::String::create("x")}})}}))), 0,
         "zq4410_virtual", hasModel},
        {"model dictionary naming the model code",
         bytesOf(xml(dictionaryOf(
             {{"zq4410", dictionaryOf({{"zq4410_virtual", dictionaryOf({{"zq4410", cf::String::create("boom")}})},
                                       {"other_queue", dictionaryOf({{"TLQuickColor", cf::String::create("Vivid")}})}})}}))),
         0, "",
         [hasModel](const cf::Dictionary& ticket) {
             hasModel(ticket);
             EXPECT_TRUE(ticket.getDictionary("zq4410")->getDictionary("other_queue"));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string ticket = homesandbox::home() + "/hostile-ticket.plist";
        fs::remove(ticket);
        c.setup(ticket);
        const std::string before = snapshot(ticket);
        auto run = printdialog({"--ticket", ticket}, "panelView\nrestore\nsave\n");
        EXPECT_EQ(c.status, run.result.status) << run.result.err;
        if (*c.message)
            EXPECT_NE(std::string::npos, run.result.err.find(c.message)) << run.result.err;
        else
            EXPECT_EQ("", run.result.err);
        if (c.status != 0) {
            EXPECT_EQ(before, snapshot(ticket));
            continue;
        }
        auto saved = cf::as<cf::Dictionary>(cf::PropertyList::createFromData(readBytes(ticket)));
        ASSERT_TRUE(saved);
        if (c.check) c.check(*saved);
        fs::remove(ticket);
    }
}

TEST(TicketFiles, ATicketKeepsItsModeAndALinkStaysALink)
{
    const std::string folder = homesandbox::home() + "/ticket-mode";
    fs::remove_all(folder);
    fs::create_directories(folder + "/synced");
    const std::string target = folder + "/synced/settings.plist";
    const std::string link = folder + "/settings.plist";
    writeBytes(target, xml(cf::Dictionary::create()));
    ::chmod(target.c_str(), 0600);
    fs::create_symlink(target, link);

    auto run = printdialog({"--ticket", link}, "panelView\nrestore\nsave\n");
    ASSERT_EQ(0, run.result.status) << run.result.err;
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(fs::perms::owner_read | fs::perms::owner_write, fs::status(target).permissions() & fs::perms::all);
    auto saved = cf::as<cf::Dictionary>(cf::PropertyList::createFromData(readBytes(target)));
    ASSERT_TRUE(saved);
    EXPECT_TRUE(saved->getDictionary("zq4410"));
    EXPECT_EQ(std::vector<fs::path>{}, [&] {
        std::vector<fs::path> strays;
        for (const auto& entry : fs::directory_iterator(folder + "/synced"))
            if (entry.path() != target) strays.push_back(entry.path());
        return strays;
    }());
}

// ---- failed saves, as a user whose modes count (the tests run as root, which modes do not stop) ----

using testproc::UnprivilegedHome;
constexpr uid_t kUser = UnprivilegedHome::kUser;

std::vector<std::string> fileNamesIn(const std::string& path)
{
    auto root = cf::as<cf::Dictionary>(cf::PropertyList::createFromData(readBytes(path)));
    auto rgb = root ? root->getDictionary("RGB") : nullptr;
    if (!rgb) return {"<unreadable>"};
    std::vector<std::string> names;
    for (int i = 0; i < 500; ++i) {
        char key[32];
        std::snprintf(key, sizeof key, "FileName%04d", i);
        auto name = rgb->getDictionary("FileName")->getString(key);
        if (name && !name->utf8().empty()) names.push_back(name->utf8());
    }
    return names;
}

TEST_F(ProfileListFiles, FailedSavesAreReportedAndAClosedFolderStillSaves)
{
    const std::string good = xml(goodProfileList());
    struct Case {
        const char* name;
        std::function<void(const UnprivilegedHome&)> setup;
        const char* message;
        std::vector<std::string> namesAfter;
    };
    auto ownFile = [good](const UnprivilegedHome& home, mode_t mode, uid_t owner) {
        writeBytes(home.profileList(), good);
        ASSERT_EQ(0, ::chown(home.profileList().c_str(), owner, owner));
        ASSERT_EQ(0, ::chmod(home.profileList().c_str(), mode));
    };
    const Case cases[] = {
        {"folder closed, file writable",
            [&](const UnprivilegedHome& home) {
                ownFile(home, 0644, kUser);
                ASSERT_EQ(0, ::chmod(home.preferences().c_str(), 0555));
            },
            "cannot back up the profile list", {"A.ICC", "B.ICC", "NEW.ICC"}},
        {"file read-only", [&](const UnprivilegedHome& home) { ownFile(home, 0444, kUser); },
            "cannot save the profile list", {"A.ICC", "B.ICC"}},
        {"file of another user", [&](const UnprivilegedHome& home) { ownFile(home, 0644, 0); },
            "cannot save the profile list", {"A.ICC", "B.ICC"}},
        {"Library a plain file",
            [](const UnprivilegedHome& home) {
                fs::remove_all(home.home() + "/Library");
                writeBytes(home.home() + "/Library", "");
            },
            "cannot save the profile list", {"<unreadable>"}},
        {"dangling link",
            [](const UnprivilegedHome& home) {
                fs::create_symlink(home.home() + "/gone/list.plist", home.profileList());
            },
            "a link to a missing file", {"<unreadable>"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        UnprivilegedHome home;
        c.setup(home);
        auto result = home.printdialog("panelView\nrestore\nclick button_ManageProfile\nclick _addButton\n"
                                       "type _fileNameEdit NEW.ICC\nclick _localOK\nclick button_ProfileWindowOK\n");
        EXPECT_EQ(0, result.status) << result.err;
        EXPECT_NE(std::string::npos, result.err.find(c.message)) << result.err;
        EXPECT_EQ(c.namesAfter, fileNamesIn(home.profileList()));
        if (!fs::is_directory(home.preferences())) continue;
        for (const auto& entry : fs::directory_iterator(home.preferences()))
            EXPECT_EQ(std::string::npos, entry.path().filename().string().find(".plist.")) << entry.path();
    }
}

TEST_F(ProfileListFiles, ALinkedProfileListStaysALinkAndItsTargetIsSaved)
{
    const std::string target = homesandbox::home() + "/Synced/profile.plist";
    writeBytes(target, xml(goodProfileList()));
    fs::create_directories(fs::path(path()).parent_path());
    fs::create_symlink(target, path());
    auto run = printdialog({},
        "panelView\nrestore\nclick button_ManageProfile\nclick _addButton\n"
        "type _fileNameEdit NEW.ICC\nclick _localOK\nclick button_ProfileWindowOK\n");
    ASSERT_EQ(0, run.result.status) << run.result.err;
    EXPECT_TRUE(fs::is_symlink(path()));
    EXPECT_EQ((std::vector<std::string>{"A.ICC", "B.ICC", "NEW.ICC"}), fileNamesIn(target));
}

} // namespace
