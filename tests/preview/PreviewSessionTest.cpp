// SPDX-License-Identifier: Apache-2.0
// The preview a script asks for: a PNG of the sheet with the sheet's number, the count and the notes,
// from the program's own files; nothing without a document.
#include "host/preview/PreviewSession.h"

#include "preview/TestDocuments.h"
#include "support/TestPaths.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>

using host::preview::PreviewSession;

namespace {

// Width and height from a PNG file's header; zeros when it is no PNG.
std::pair<uint32_t, uint32_t> pngSize(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    unsigned char header[24] = {};
    in.read(reinterpret_cast<char*>(header), sizeof header);
    if (!in || std::string(reinterpret_cast<char*>(header) + 1, 3) != "PNG") return {0, 0};
    auto number = [&](int at) {
        return uint32_t(header[at]) << 24 | uint32_t(header[at + 1]) << 16 | uint32_t(header[at + 2]) << 8 |
            header[at + 3];
    };
    return {number(16), number(20)};
}

PreviewSession session(std::vector<host::preview::Document> documents)
{
    const std::string bin = testpaths::binaryDir() + "/bin";
    return PreviewSession(PreviewSession::setupFor(testpaths::ppd("zq4410.ppd"), bin + "/ppd", testpaths::bundleDir()),
        std::move(documents));
}

} // namespace

TEST(PreviewSession, AScriptsPreviewIsAPngOfTheSheetWithItsNumberCountAndNotes)
{
    testdocs::TestDocuments documents;
    PreviewSession preview = session({{documents.colouredPagesPdf(3), {}}});
    const std::string path = documents.folder() + "/sheet.png";
    std::string error;
    auto answer = preview.write(preview.job({{"orientation-requested", "4"}}, {}), 2, {300, 300}, path, &error);
    ASSERT_TRUE(answer) << error;
    EXPECT_EQ(answer->path, path);
    EXPECT_EQ(answer->sheet, 2);
    EXPECT_EQ(answer->sheets, 3);
    EXPECT_TRUE(answer->proof);
    EXPECT_FALSE(answer->notes.empty());
    const auto [width, height] = pngSize(path);
    EXPECT_EQ(width, 300u) << "landscape: as wide as the box";
    EXPECT_GT(width, height);
}

TEST(PreviewSession, WithoutADocumentThereIsNothingToPreview)
{
    testdocs::TestDocuments documents;
    PreviewSession preview = session({});
    std::string error;
    EXPECT_FALSE(preview.write(preview.job({}, {}), 1, {300, 300}, documents.folder() + "/none.png", &error));
    EXPECT_NE(error.find("no document"), std::string::npos) << error;
    EXPECT_FALSE(std::ifstream(documents.folder() + "/none.png"));
}
