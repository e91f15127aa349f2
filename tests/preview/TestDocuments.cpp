// SPDX-License-Identifier: Apache-2.0
// The PostScript is the source of every format, so all of them show the same page.
#include "preview/TestDocuments.h"

#include "support/Process.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

namespace testdocs {
namespace {

// Points from the top as PostScript's y (from the bottom of A4).
std::string y(double fromTop)
{
    return std::to_string(842 - fromTop);
}

std::string testPage()
{
    std::string ps = "%!PS-Adobe-3.0\n%%BoundingBox: 0 0 595 842\n%%Pages: 1\n%%EndComments\n%%Page: 1 1\n"
                     "<< /PageSize [595 842] >> setpagedevice\n";
    ps += "gsave 50 " + y(kImage.bottom) +
        " translate 250 250 scale 4 4 8 [4 0 0 -4 0 4]\n"
        "<ff0000 00ff00 0000ff ffff00 ff00ff 00ffff ff8000 8000ff\n"
        " 00ff00 ff0000 ffff00 0000ff 00ffff ff00ff 8000ff ff8000> false 3 colorimage grestore\n";
    ps += "0.5 0.5 0.5 setrgbcolor /Helvetica-Bold findfont 48 scalefont setfont 50 " + y(kGrayText.bottom - 8) +
        " moveto (Gray text) show\n";
    ps += "0 0.6 1 setrgbcolor newpath 350 " + y(kShape.bottom) + " moveto 550 " + y(kShape.bottom) + " lineto 450 " +
        y(kShape.top) + " lineto closepath fill\nshowpage\n%%EOF\n";
    return ps;
}

std::string colouredPages(int pages)
{
    const char* colours[] = {"1 0 0", "0 1 0", "0 0 1", "1 1 0"};
    std::string ps = "%!PS\n";
    for (int page = 0; page < pages; ++page)
        ps += "<< /PageSize [595 842] >> setpagedevice " + std::string(colours[page % 4]) +
            " setrgbcolor 20 20 555 802 rectfill showpage\n";
    return ps;
}

} // namespace

TestDocuments::TestDocuments()
{
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/preview-test-XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (::mkdtemp(buffer.data())) folder_ = buffer.data();
}

TestDocuments::~TestDocuments()
{
    std::error_code ignored;
    if (!folder_.empty()) std::filesystem::remove_all(folder_, ignored);
}

std::string TestDocuments::write(const std::string& name, const std::string& bytes)
{
    const std::string path = folder_ + "/" + name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

std::string TestDocuments::convert(const std::string& postscript, const std::string& device, const std::string& name)
{
    const std::string path = folder_ + "/" + name;
    const testproc::Result made = testproc::run({"/usr/bin/gs", "-q", "-dSAFER", "-dBATCH", "-dNOPAUSE", "-r72",
        "-sDEVICE=" + device, "-sOutputFile=" + path, postscript});
    EXPECT_EQ(made.status, 0) << made.err << made.out;
    return path;
}

std::string TestDocuments::testPagePostScript()
{
    return write("test page.ps", testPage());
}

std::string TestDocuments::testPagePdf()
{
    return convert(testPagePostScript(), "pdfwrite", "test page.pdf");
}

std::string TestDocuments::testPagePng()
{
    return convert(testPagePostScript(), "png16m", "test page.png");
}

std::string TestDocuments::testPageJpeg()
{
    return convert(testPagePostScript(), "jpeg", "test page.jpg");
}

std::string TestDocuments::text()
{
    return write("notes.txt", "A plain text document.\nZweite Zeile: äöü.\n");
}

std::string TestDocuments::cmykPagePdf()
{
    const std::string ps = "%!PS\n<< /PageSize [595 842] >> setpagedevice 0.2 0.8 0 0 setcmykcolor 100 " +
        y(kCmykSquare.bottom) + " 200 200 rectfill showpage\n";
    return convert(write("cmyk page.ps", ps), "pdfwrite", "cmyk page.pdf");
}

std::string TestDocuments::colouredPagesPdf(int pages)
{
    const std::string name = std::to_string(pages) + " pages";
    return convert(write(name + ".ps", colouredPages(pages)), "pdfwrite", name + ".pdf");
}

std::string TestDocuments::colouredPagesPostScript(int pages)
{
    return write(std::to_string(pages) + " pages.ps", colouredPages(pages));
}

std::string TestDocuments::busyPdf(int rectangles)
{
    std::string content;
    for (int i = 0; i < rectangles; ++i)
        content += std::to_string(i % 7 / 7.0).substr(0, 4) + " 0.5 0.2 rg " + std::to_string(i * 37 % 590) + " " +
            std::to_string(i * 53 % 830) + " 3 3 re f\n";
    const std::string objects[] = {"<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] /Contents 4 0 R >>",
        "<< /Length " + std::to_string(content.size()) + " >>\nstream\n" + content + "endstream"};
    std::string pdf = "%PDF-1.4\n";
    std::string offsets;
    for (size_t i = 0; i < 4; ++i) {
        char offset[32];
        std::snprintf(offset, sizeof offset, "%010zu 00000 n \n", pdf.size());
        offsets += offset;
        pdf += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    const std::string start = std::to_string(pdf.size());
    pdf += "xref\n0 5\n0000000000 65535 f \n" + offsets + "trailer\n<< /Size 5 /Root 1 0 R >>\nstartxref\n" + start +
        "\n%%EOF\n";
    return write("busy.pdf", pdf);
}

std::string TestDocuments::brokenPdf()
{
    return write("broken.pdf", "%PDF-1.4\n1 0 obj << /Type /Catalog /Pages 2 0 R >>\nthis is not a PDF at all\n");
}

std::string TestDocuments::emptyFile()
{
    return write("empty.pdf", "");
}

std::string TestDocuments::endlessPostScript()
{
    return write("endless.ps", "%!PS\n{ 1 pop } loop\nshowpage\n");
}

std::string TestDocuments::junk()
{
    return write("junk.bin", std::string("\x00\x01\x02\x03\xfe\xff binary", 14));
}

} // namespace testdocs
