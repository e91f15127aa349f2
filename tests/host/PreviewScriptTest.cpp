// SPDX-License-Identifier: Apache-2.0
// The preview through the dialog script, set up as a person sets it up (the panel's controls, the
// dialog's panes): the sheet written as a PNG shows what the colour options and the layout do.
#include "HostRun.h"
#include "preview/PreviewTestSupport.h"

#include "profiles/store/TLPList.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <unistd.h>

using hostrun::printdialog;
using previewtest::Raster;

namespace {

constexpr const char* kAdvanced = "select menu_QuickColor 3\nclick button_AdvanceColorOptions\n";

struct Sheet {
    hostrun::Run run;
    nlohmann::json answer; // the preview line
    Raster picture;
};

// Runs panelView, restore, the gestures and "preview PATH SHEET" on the documents.
Sheet preview(const std::vector<std::string>& documents, const std::string& gestures,
    const std::vector<std::string>& arguments = {}, int sheet = 1)
{
    static int made = 0;
    const std::string run =
        ::testing::TempDir() + "/preview-" + std::to_string(::getpid()) + "-" + std::to_string(++made);
    const std::string path = run + ".png";
    // A ticket of its own: the sample printer's Print writes the settings, which the next run reads.
    std::vector<std::string> all = {"--ticket", run + ".plist"};
    all.insert(all.end(), arguments.begin(), arguments.end());
    all.insert(all.end(), documents.begin(), documents.end());
    Sheet result;
    result.run =
        printdialog(all, "panelView\nrestore\n" + gestures + "preview " + path + " " + std::to_string(sheet) + "\n");
    EXPECT_EQ(result.run.result.status, 0) << result.run.result.err;
    result.answer = result.run.last("preview");
    EXPECT_EQ(result.answer.value("path", ""), path) << result.run.result.out;
    result.picture = previewtest::readPng(path);
    return result;
}

bool mentions(const nlohmann::json& answer, const std::string& word)
{
    for (const auto& note : answer["notes"])
        if (note.get<std::string>().find(word) != std::string::npos) return true;
    return false;
}

class PreviewScript : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override { homesandbox::reset(); }
    std::string page() { return GetParam() ? documents.testPagePostScript() : documents.testPagePdf(); }
    testdocs::TestDocuments documents;
};

} // namespace

TEST_P(PreviewScript, ColorAsGrayscaleLeavesNoColourInAnyPixel)
{
    const Sheet sheet = preview({page()}, "check check_ColorAsGrayscale on\n");
    ASSERT_FALSE(sheet.picture.empty());
    EXPECT_EQ(previewtest::colourfulPixels(sheet.picture), 0);
    EXPECT_GT(previewtest::measure(sheet.picture, testdocs::kImage).inked, 0);
    EXPECT_EQ(sheet.answer["proof"], true);
}

TEST_P(PreviewScript, EconoModeLightensTheSheetAndTheImageIntentChangesTheImage)
{
    const std::string document = page();
    const double standard = previewtest::measureAll(preview({document}, "").picture).lightness;
    const double econo =
        previewtest::measureAll(preview({document}, "check check_EconomyPrint on\n").picture).lightness;
    EXPECT_GT(econo - standard, 1);
    const std::string intent = std::string(kAdvanced) + "tab tab_SwitchVew 0\nselect menu_iRGBIntent ";
    const Raster perceptual = preview({document}, intent + "0\n").picture;
    const Raster saturation = preview({document}, intent + "1\n").picture;
    EXPECT_NE(previewtest::measure(perceptual, testdocs::kImage).lightness,
        previewtest::measure(saturation, testdocs::kImage).lightness);
    EXPECT_EQ(previewtest::measure(perceptual, testdocs::kShape).lightness,
        previewtest::measure(saturation, testdocs::kShape).lightness)
        << "the image's intent leaves graphics alone";
}

TEST_P(PreviewScript, TheSeparationShowsGrayTextOnThePlatesItsTreatmentUses)
{
    struct Case {
        const char* treatment;
        int item;
        bool onColourPlates;
    };
    const Case cases[] = {{"Black Only (K)", 1, false}, {"Composite Gray", 0, true}};
    const std::string document = page();
    for (const Case& c : cases) {
        const Sheet sheet = preview({document},
            std::string(kAdvanced) + "tab tab_SwitchVew 1\nselect menu_tRGBGrayTreatment " + std::to_string(c.item) +
                "\nclick button_HideAdvancedOptions\ncheck check_ColorSeparation on\n");
        EXPECT_GT(previewtest::measure(sheet.picture, testdocs::kGrayText, 3).touched, 50) << c.treatment << ": K";
        for (int plate = 0; plate < 3; ++plate) {
            const int touched = previewtest::measure(sheet.picture, testdocs::kGrayText, plate).touched;
            EXPECT_TRUE(c.onColourPlates ? touched > 50 : touched == 0) << c.treatment << ": plate " << plate;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Documents, PreviewScript, ::testing::Values(false, true),
    [](const auto& info) { return info.param ? "PostScript" : "Pdf"; });

namespace {

void writeDestinationList(const char* file)
{
    auto list = std::make_unique<tlco::ProfileList>();
    auto empty = std::make_unique<tlco::ProfileList>();
    *list = {};
    *empty = {};
    tlco::ProfileItem& item = list->litem[list->iNum++];
    item.iIndexOnDevice = 3;
    item.iInMenu = tlco::kStatePrinterPresentShown;
    item.iProfileClass = 1;
    std::strncpy(item.FileName, file, sizeof item.FileName - 1);
    std::strncpy(item.ProfileName, "Mine", sizeof item.ProfileName - 1);
    item.iLocation = tlco::kLocationDisk;
    ASSERT_EQ(tlco::TLPListWriteProfile_All(empty.get(), empty.get(), list.get()), 0);
}

} // namespace

// The user's profile folder is the bundle's: a bundle of links to the built one, with a folder of
// its own, holds the local copy.
TEST(PreviewScriptProfiles, ALocalCopyOfAListedProfileChangesTheProof)
{
    homesandbox::reset();
    testdocs::TestDocuments documents;
    const std::string bundle = documents.folder() + "/bundle";
    std::filesystem::create_directory(bundle);
    for (const auto& entry : std::filesystem::recursive_directory_iterator(testpaths::bundleDir())) {
        const std::string to = bundle + "/" + entry.path().lexically_relative(testpaths::bundleDir()).string();
        if (entry.is_directory())
            std::filesystem::create_directories(to);
        else
            std::filesystem::create_symlink(entry.path(), to);
    }
    const std::string profiles = bundle + "/Library/Printers/TESSALUMA/zq4410/Profiles";
    std::filesystem::create_directories(profiles);
    std::filesystem::copy_file("/usr/share/color/icc/ghostscript/ps_cmyk.icc", profiles + "/MYCMYK.ICC");
    writeDestinationList("MYCMYK.ICC");
    std::string listed;
    for (int tab = 0; tab < 3; ++tab)
        listed += "tab tab_SwitchVew " + std::to_string(tab) + "\nselect menu_" + "itg"[tab] + "DestinationProfile 4\n";

    const std::string page = documents.testPagePdf();
    const Sheet automatic = preview({page}, kAdvanced, {"--bundle", bundle});
    const Sheet mine = preview({page}, kAdvanced + listed, {"--bundle", bundle});

    ASSERT_FALSE(mine.picture.empty());
    EXPECT_FALSE(previewtest::samePixels(mine.picture, automatic.picture));
    EXPECT_FALSE(mentions(mine.answer, "proofed as")) << mine.run.result.out;
}

TEST(PreviewScriptLayout, ThePanesLayOutTheSheetsAsTheJobPrints)
{
    struct Case {
        const char* name;
        const char* gestures;
        int sheets;
        bool wider;
        const char* blocks; // the page images across the sheet, by colour
    };
    const Case cases[] = {
        {"two per sheet over pages 2-3", "set number-up 2\nset page-ranges 2-3\n", 1, true, "gb"},
        {"four per sheet", "set number-up 4\n", 1, false, "rg"},
        {"landscape", "set orientation-requested 4\n", 4, true, "r"},
        {"pages 3 and 4", "set page-ranges 3-4\n", 2, false, "b"},
    };
    homesandbox::reset();
    testdocs::TestDocuments documents;
    const std::string four = documents.colouredPagesPdf(4);
    for (const Case& c : cases) {
        const Sheet sheet = preview({four}, c.gestures);
        EXPECT_EQ(sheet.answer["sheets"], c.sheets) << c.name;
        EXPECT_EQ(sheet.picture.width > sheet.picture.height, c.wider) << c.name;
        EXPECT_EQ(previewtest::blocksAcross(sheet.picture), c.blocks) << c.name;
    }
}

TEST(PreviewScriptLayout, TheSheetAskedForAndThePlainLayout)
{
    homesandbox::reset();
    testdocs::TestDocuments documents;
    const Sheet third = preview({documents.colouredPagesPdf(2), documents.colouredPagesPdf(3)}, "proof off\n", {}, 3);
    EXPECT_EQ(third.answer["sheet"], 3);
    EXPECT_EQ(third.answer["sheets"], 5);
    EXPECT_EQ(third.answer["proof"], false);
    EXPECT_EQ(previewtest::blocksAcross(third.picture), "r") << "the second document's first page";
    const uint8_t* middle = third.picture.at(third.picture.width / 2, third.picture.height / 2);
    EXPECT_EQ(std::vector<int>(middle, middle + 3), (std::vector<int>{255, 0, 0})) << "the document's own red";
}

TEST(PreviewScriptLayout, ADocumentThatCannotBeShownEndsWithinFiveSecondsWithAClearWord)
{
    struct Case {
        const char* name;
        std::string (testdocs::TestDocuments::*make)();
        const char* word;
    };
    const Case cases[] = {
        {"broken PDF", &testdocs::TestDocuments::brokenPdf, "cannot be shown"},
        {"endless PostScript", &testdocs::TestDocuments::endlessPostScript, "no result within"},
    };
    homesandbox::reset();
    testdocs::TestDocuments documents;
    for (const Case& c : cases) {
        const std::string document = (documents.*c.make)();
        const auto start = std::chrono::steady_clock::now();
        const Sheet sheet = preview({document}, "");
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5)) << c.name;
        EXPECT_EQ(sheet.answer["sheets"], 0) << c.name;
        EXPECT_TRUE(mentions(sheet.answer, c.word)) << c.name << ": " << sheet.answer.dump();
        EXPECT_FALSE(mentions(sheet.answer, "/proc/")) << c.name << ": the document by its name";
        EXPECT_FALSE(sheet.picture.empty()) << "blank paper";
    }
}

TEST(PreviewScriptLayout, WrongRequestsStopTheScriptWithTheReason)
{
    struct Case {
        const char* name;
        bool document;
        const char* line;
        const char* reason;
    };
    const Case cases[] = {
        {"no document", false, "preview sheet.png", "no document"},
        {"a sheet past the end", true, "preview sheet.png 3", "no sheet 3"},
        {"not a number", true, "preview sheet.png two", "not a sheet number"},
        {"proof neither on nor off", true, "proof maybe", "on or off"},
    };
    homesandbox::reset();
    testdocs::TestDocuments documents;
    const std::string page = documents.testPagePdf();
    for (const Case& c : cases) {
        std::vector<std::string> arguments;
        if (c.document) arguments.push_back(page);
        auto run = printdialog(arguments, std::string("panelView\nrestore\n") + c.line + "\n");
        EXPECT_EQ(run.result.status, 2) << c.name;
        EXPECT_NE(run.result.err.find("line 3"), std::string::npos) << c.name << ": " << run.result.err;
        EXPECT_NE(run.result.err.find(c.reason), std::string::npos) << c.name << ": " << run.result.err;
    }
}

TEST(PreviewScriptLayout, ADocumentFromStandardInputIsPreviewedAndTheTicketStaysAsItWas)
{
    homesandbox::reset();
    testdocs::TestDocuments documents;
    std::ifstream in(documents.colouredPagesPdf(3), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::string script = documents.folder() + "/script";
    const std::string ticket = documents.folder() + "/ticket.plist";
    std::ofstream(script) << "panelView\nrestore\ncheck check_EconomyPrint on\nproof off\npreview " +
            documents.folder() + "/in.png 2\ndump\n";

    auto result = testproc::run(
        {testpaths::printdialog(), "--json", "--ticket", ticket, "--script", script, "-"}, bytes, {"LC_ALL=C"});

    ASSERT_EQ(result.status, 0) << result.err;
    nlohmann::json answer, state;
    for (const std::string& line : testproc::jsonLines(result.out)) {
        auto json = nlohmann::json::parse(line);
        if (json.contains("preview")) answer = json["preview"];
        if (json.contains("state")) state = json["state"];
    }
    EXPECT_EQ(answer["sheets"], 3);
    EXPECT_EQ(previewtest::blocksAcross(previewtest::readPng(documents.folder() + "/in.png")), "g");
    EXPECT_FALSE(state["ticket"].contains("TLEconoMode")) << "the preview saved on a copy of the ticket";
}
