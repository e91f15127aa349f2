// SPDX-License-Identifier: Apache-2.0
// Writes the page description as PostScript and has Ghostscript make the PDF of it.
#include "BenchDocument.h"

#include "host/preview/Subprocess.h"

#include <cstdio>
#include <fstream>

namespace previewbench {

std::string makeDocument(const std::string& folder, int pages)
{
    const std::string ps = folder + "/doc" + std::to_string(pages) + ".ps";
    const std::string pdf = folder + "/doc" + std::to_string(pages) + ".pdf";
    std::ofstream out(ps);
    out << "%!PS\n/Helvetica-Bold findfont 40 scalefont setfont\n1 1 " << pages << " {\n"
        << "<< /PageSize [595 842] >> setpagedevice\n"
        << "gsave 50 500 translate 250 250 scale 4 4 8 [4 0 0 -4 0 4]\n"
        << "<ff0000 00ff00 0000ff ffff00 ff00ff 00ffff ff8000 8000ff 00ff00 ff0000 ffff00 0000ff 00ffff ff00ff 8000ff "
           "ff8000>"
        << " false 3 colorimage grestore\n"
        << "0.5 setgray 50 400 moveto (Page ) show 3 string cvs show\n"
        << "0 0.6 1 setrgbcolor 350 500 moveto 550 500 lineto 450 700 lineto closepath fill showpage } for\n";
    out.close();
    host::preview::Command command;
    command.argv = {
        "/usr/bin/gs", "-q", "-dSAFER", "-dBATCH", "-dNOPAUSE", "-sDEVICE=pdfwrite", "-sOutputFile=" + pdf, ps};
    command.environment = {"PATH=/usr/bin:/bin"};
    command.limit = std::chrono::seconds(60);
    if (host::preview::Subprocess::run(command).succeeded()) return pdf;
    std::fprintf(stderr, "preview bench: cannot make %s\n", pdf.c_str());
    return {};
}

} // namespace previewbench
