// SPDX-License-Identifier: Apache-2.0
// pdfinfo prints "Pages: N", then per page "Page    1 size: 595 x 842 pts (A4)" and "Page    1 rot:  90".
#include "host/preview/PdfPages.h"

#include <sstream>

namespace host::preview {
namespace {

// "Page    7 size: ..." -> 7 and the rest after "size:"; 0 for another line.
int pageLine(const std::string& line, const std::string& what, std::string* rest)
{
    std::istringstream in(line);
    std::string word, label;
    long page = 0;
    if (!(in >> word >> page >> label) || word != "Page" || label != what + ":") return 0;
    std::getline(in, *rest);
    return page > 0 && page <= PdfPages::kMaxSheets ? static_cast<int>(page) : 0;
}

} // namespace

std::optional<std::vector<SheetGeometry>> PdfPages::parse(const std::string& output)
{
    std::istringstream in(output);
    std::vector<SheetGeometry> sheets;
    bool counted = false;
    for (std::string line; std::getline(in, line);) {
        std::string rest;
        if (line.rfind("Pages:", 0) == 0) {
            long count = -1;
            std::istringstream(line.substr(6)) >> count;
            if (count < 0 || count > kMaxSheets) return std::nullopt;
            sheets.resize(static_cast<size_t>(count));
            counted = true;
        } else if (int page = pageLine(line, "size", &rest); page > 0 && page <= static_cast<int>(sheets.size())) {
            std::istringstream size(rest);
            std::string by;
            SheetGeometry& sheet = sheets[static_cast<size_t>(page - 1)];
            size >> sheet.width >> by >> sheet.height;
        } else if (int turned = pageLine(line, "rot", &rest); turned > 0 && turned <= static_cast<int>(sheets.size())) {
            int degrees = 0;
            std::istringstream(rest) >> degrees;
            sheets[static_cast<size_t>(turned - 1)].rotate = ((degrees % 360) + 360) % 360;
        }
    }
    if (!counted) return std::nullopt;
    for (const SheetGeometry& sheet : sheets)
        if (!(sheet.width > 0 && sheet.height > 0 && sheet.width < 1e5 && sheet.height < 1e5)) return std::nullopt;
    return sheets;
}

std::optional<std::vector<SheetGeometry>> PdfPages::read(
    const std::string& pdfinfo, const std::string& path, const Command& limits, std::string* error)
{
    Command command = limits;
    command.argv = {pdfinfo, "-f", "1", "-l", std::to_string(kMaxSheets), path};
    command.environment = {"LC_ALL=C", "PATH=/usr/bin:/bin"};
    const RunResult run = Subprocess::run(command);
    std::optional<std::vector<SheetGeometry>> sheets = run.succeeded() ? parse(run.output) : std::nullopt;
    if (!sheets && error) *error = run.end == RunResult::End::TimedOut ? "pdfinfo took too long" : run.errors;
    return sheets;
}

} // namespace host::preview
