// SPDX-License-Identifier: Apache-2.0
// The pages of a laid-out PDF (one page a sheet): their size and rotation, as poppler's pdfinfo reads
// them, run as a process with a time limit.
#pragma once

#include "host/preview/Subprocess.h"

#include <optional>
#include <string>
#include <vector>

namespace host::preview {

// A sheet as a person reads it is its page box before the rotation; the rotation says how the printer
// turns it onto the paper.
struct SheetGeometry {
    double width = 0;  // points
    double height = 0; // points
    int rotate = 0;    // 0, 90, 180 or 270
};

class PdfPages {
public:
    // The sheets of the PDF at path; nullopt and the reason when pdfinfo fails or times out.
    static std::optional<std::vector<SheetGeometry>> read(
        const std::string& pdfinfo, const std::string& path, const Command& limits, std::string* error);

    // pdfinfo's output (with -f 1 -l N) taken apart; nullopt when it names no page count or a page
    // without a sensible size.
    static std::optional<std::vector<SheetGeometry>> parse(const std::string& output);

    static constexpr int kMaxSheets = 100000;
};

} // namespace host::preview
