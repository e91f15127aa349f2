// SPDX-License-Identifier: Apache-2.0
// Sheets as CUPS's filters lay the documents out, documents that cannot be shown, and sheets drawn
// only when something they show changed.
#include "preview/PreviewTestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

using namespace previewtest;
using host::preview::OptionMap;
using host::preview::PreviewSheet;

namespace {

constexpr host::preview::SheetBox kBox{240, 240};

PreviewJob plain(std::vector<std::string> paths, OptionMap layout = {})
{
    PreviewJob job;
    for (std::string& path : paths) job.documents.push_back({std::move(path), {}});
    job.layout = std::move(layout);
    job.proof = false;
    return job;
}

bool mentions(const std::vector<std::string>& notes, const std::string& word)
{
    for (const std::string& note : notes)
        if (note.find(word) != std::string::npos) return true;
    return false;
}

} // namespace

TEST(PreviewLayout, TheDialogsLayoutOptionsShapeTheSheets)
{
    struct Case {
        const char* name;
        int document; // kFour, kFourPostScript, kPage or kPagePostScript
        OptionMap layout;
        int sheets;
        bool wider;
        const char* blocks; // the page images across the first sheet, by colour; null not looked at
    };
    enum { kFour, kFourPostScript, kPage, kPagePostScript };
    const Case cases[] = {
        {"one page a sheet", kFour, {}, 4, false, "r"},
        {"two per sheet over pages 2-3", kFour, {{"number-up", "2"}, {"page-ranges", "2-3"}}, 1, true, "gb"},
        {"two per sheet over pages 1,3-", kFour, {{"number-up", "2"}, {"page-ranges", "1,3-"}}, 2, true, "rb"},
        {"two per sheet over pages past the end", kFour, {{"number-up", "2"}, {"page-ranges", "5-9"}}, 0, false,
            nullptr},
        {"two per sheet", kFour, {{"number-up", "2"}}, 2, true, "rg"},
        {"four per sheet", kFour, {{"number-up", "4"}}, 1, false, "rg"},
        {"four per sheet, top to bottom first", kFour, {{"number-up", "4"}, {"number-up-layout", "tblr"}}, 1, false,
            "rb"},
        {"even pages only", kFour, {{"page-set", "even"}}, 2, false, "g"},
        {"landscape", kPage, {{"orientation-requested", "4"}}, 1, true, nullptr},
        {"PostScript, landscape", kPagePostScript, {{"orientation-requested", "4"}}, 1, true, nullptr},
        {"PostScript, two per sheet over pages 2-3", kFourPostScript, {{"number-up", "2"}, {"page-ranges", "2-3"}}, 1,
            true, "gb"},
        {"portrait", kPage, {{"orientation-requested", "3"}}, 1, false, nullptr},
        {"US Letter", kPage, {{"PageSize", "Letter"}}, 1, false, nullptr},
    };
    testdocs::TestDocuments documents;
    const std::string paths[] = {documents.colouredPagesPdf(4), documents.colouredPagesPostScript(4),
        documents.testPagePdf(), documents.testPagePostScript()};
    auto preview = engine();
    for (const Case& c : cases) {
        const PreviewSheet sheet = preview->render(plain({paths[c.document]}, c.layout), 1, kBox);
        EXPECT_EQ(sheet.sheets, c.sheets) << c.name;
        EXPECT_EQ(sheet.picture.width > sheet.picture.height, c.wider) << c.name;
        if (c.blocks) {
            EXPECT_EQ(blocksAcross(sheet.picture), c.blocks) << c.name;
        }
    }
    const PreviewSheet none = preview->render(plain({paths[kFour]}, cases[3].layout), 1, kBox);
    EXPECT_TRUE(mentions(none.notes, "no page")) << ::testing::PrintToString(none.notes);
}

TEST(PreviewLayout, EveryKindOfDocumentCUPSPrintsGivesASheet)
{
    testdocs::TestDocuments documents;
    auto preview = engine();
    const std::string paths[] = {documents.testPagePdf(), documents.testPagePostScript(), documents.testPagePng(),
        documents.testPageJpeg(), documents.text()};
    for (const std::string& path : paths) {
        const PreviewSheet sheet = preview->render(job(path), 1, kBox);
        EXPECT_EQ(sheet.sheets, 1) << path << ::testing::PrintToString(sheet.notes);
        EXPECT_GT(measureAll(sheet.picture).inked, 20) << path;
    }
}

TEST(PreviewLayout, TheSheetsOfAJobFollowDocumentAfterDocument)
{
    testdocs::TestDocuments documents;
    auto preview = engine();
    const PreviewJob job = plain({documents.colouredPagesPdf(2), documents.brokenPdf(), documents.testPagePdf()});
    EXPECT_EQ(preview->sheetCount(job), 3);
    const PreviewSheet last = preview->render(job, 3, kBox);
    EXPECT_EQ(last.sheet, 3);
    EXPECT_GT(measure(last.picture, testdocs::kShape).inked, 100) << "the test page's triangle";
    EXPECT_TRUE(mentions(last.notes, "broken.pdf"));
    EXPECT_EQ(preview->render(job, 99, kBox).sheet, 3) << "a sheet past the end is the last";
}

TEST(PreviewLayout, ADocumentThatCannotBeShownEndsWithinFiveSecondsWithANote)
{
    struct Case {
        const char* name;
        std::string (testdocs::TestDocuments::*make)();
        const char* word;
    };
    const Case cases[] = {
        {"a broken PDF", &testdocs::TestDocuments::brokenPdf, "cannot be shown"},
        {"an empty file", &testdocs::TestDocuments::emptyFile, "empty"},
        {"endless PostScript", &testdocs::TestDocuments::endlessPostScript, "no result within"},
        {"binary junk", &testdocs::TestDocuments::junk, "not a document"},
    };
    testdocs::TestDocuments documents;
    auto preview = engine();
    for (const Case& c : cases) {
        const std::string path = (documents.*c.make)();
        const auto start = std::chrono::steady_clock::now();
        const PreviewSheet sheet = preview->render(job(path), 1, kBox);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5)) << c.name;
        EXPECT_EQ(sheet.sheets, 0) << c.name;
        EXPECT_FALSE(sheet.picture.empty()) << c.name << ": blank paper all the same";
        const std::string name = path.substr(path.find_last_of('/') + 1);
        EXPECT_TRUE(mentions(sheet.notes, c.word) && mentions(sheet.notes, name))
            << c.name << ::testing::PrintToString(sheet.notes);
    }
    EXPECT_TRUE(mentions(preview->render(job(documents.folder() + "/gone.pdf"), 1, kBox).notes, "cannot be read"));
}

TEST(PreviewLayout, ACancelledPreviewEndsAtOnceAndTheNextOneDraws)
{
    testdocs::TestDocuments documents;
    auto preview = engine();
    std::atomic<bool> cancel{false};
    std::thread person([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        cancel = true;
    });
    const auto start = std::chrono::steady_clock::now();
    const PreviewSheet stopped = preview->render(job(documents.endlessPostScript()), 1, kBox, &cancel);
    person.join();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1500));
    EXPECT_TRUE(stopped.cancelled);
    EXPECT_FALSE(mentions(stopped.notes, "endless.ps")) << "a cancel is no fault of the document";
    const PreviewSheet next = preview->render(job(documents.testPagePdf()), 1, kBox);
    EXPECT_FALSE(next.cancelled);
    EXPECT_GT(measure(next.picture, testdocs::kShape).inked, 100);
}

TEST(PreviewLayout, ASheetCancelledWhileGhostscriptDrawsLeavesTheNextOneDrawn)
{
    testdocs::TestDocuments documents;
    auto preview = engine();
    const PreviewJob busy = job(documents.busyPdf(200000));
    ASSERT_EQ(preview->sheetCount(busy), 1);
    std::atomic<bool> cancel{false};
    std::thread person([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        cancel = true;
    });
    const auto start = std::chrono::steady_clock::now();
    const PreviewSheet stopped = preview->render(busy, 1, {2400, 2400}, &cancel);
    person.join();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1000))
        << "drawn whole, it takes seconds";
    EXPECT_TRUE(stopped.cancelled);
    const PreviewSheet next = preview->render(busy, 1, kBox);
    EXPECT_FALSE(next.cancelled);
    EXPECT_GT(measureAll(next.picture).inked, 1000) << ::testing::PrintToString(next.notes);
}

TEST(PreviewLayout, ASheetIsDrawnAgainOnlyWhenSomethingItShowsChanged)
{
    struct Step {
        const char* change;
        OptionMap ticket;
        OptionMap layout;
        int layouts; // filter runs this step adds
        int renders; // Ghostscript runs this step adds
    };
    const Step steps[] = {
        {"first look", {}, {}, 1, 1},
        {"the same again", {}, {}, 0, 0},
        {"copies", {}, {{"copies", "3"}}, 0, 0},
        {"halftone", {{"TLImageHalftone", "Detail"}}, {}, 0, 0},
        {"EconoMode", {{"TLEconoMode", "True"}}, {}, 0, 0},
        {"separation view", {{"TLColorSeparation", "True"}}, {}, 0, 0},
        {"image intent", {{"TLImageRenderIntent", "Saturation"}}, {}, 0, 1},
        {"two per sheet", {}, {{"number-up", "2"}}, 1, 1},
        {"back to one per sheet", {}, {}, 0, 0},
    };
    testdocs::TestDocuments documents;
    auto preview = engine();
    const std::string page = documents.testPagePdf();
    for (const Step& step : steps) {
        const auto before = preview->counters();
        preview->render(job(page, step.ticket, step.layout), 1, kBox);
        const auto after = preview->counters();
        EXPECT_EQ(after.layouts - before.layouts, step.layouts) << step.change;
        EXPECT_EQ(after.renders - before.renders, step.renders) << step.change;
    }
}
