// SPDX-License-Identifier: Apache-2.0
// Documents the preview tests print, written by hand as PostScript and turned into PDF, PNG and JPEG
// by Ghostscript: a test page (a saturated RGB image, gray text, a coloured vector shape), pages of
// one colour each, and documents that cannot be shown.
#pragma once

#include <string>

namespace testdocs {

// Where the test page's parts lie, in points from the page's top left corner (A4, 595 x 842).
struct Box {
    double left, top, right, bottom;
};
constexpr Box kImage{50, 92, 300, 342};        // 4 x 4 saturated colours, pure red at the top left
constexpr Box kGrayText{50, 400, 290, 444};    // "Gray text", RGB 0.5 0.5 0.5
constexpr Box kShape{350, 142, 550, 342};      // a triangle, RGB 0 0.6 1
constexpr Box kCmykSquare{100, 100, 300, 300}; // the CMYK page's square, CMYK 0.2 0.8 0 0

class TestDocuments {
public:
    // A fresh folder; removed when the object goes.
    TestDocuments();
    ~TestDocuments();
    TestDocuments(const TestDocuments&) = delete;
    TestDocuments& operator=(const TestDocuments&) = delete;

    const std::string& folder() const { return folder_; }

    std::string testPagePostScript();
    std::string testPagePdf();
    std::string testPagePng();
    std::string testPageJpeg();
    std::string text();
    // A page with one square in CMYK (0.2 0.8 0 0), which only the CMYK simulation touches.
    std::string cmykPagePdf();
    // `pages` pages, page n filled nearly to its edges with colour n of red, green, blue, yellow (then
    // again), so that each page image on a sheet is a coloured block.
    std::string colouredPagesPdf(int pages);
    // The same pages as PostScript.
    std::string colouredPagesPostScript(int pages);
    // One page of `rectangles` small coloured squares: a sheet that takes Ghostscript a while.
    std::string busyPdf(int rectangles);
    std::string brokenPdf();
    std::string emptyFile();
    std::string endlessPostScript();
    std::string junk();

private:
    std::string write(const std::string& name, const std::string& bytes);
    // Ghostscript turns a PostScript file into another format; the test fails when it cannot.
    std::string convert(const std::string& postscript, const std::string& device, const std::string& name);

    std::string folder_;
};

} // namespace testdocs
