// SPDX-License-Identifier: Apache-2.0
// The pages a person chose, taken out of a document before CUPS lays it out. cups-filters 1.x's
// pdftopdf counts page-ranges in sheets once several pages go on a sheet (pages 2-3 two to a sheet
// would print pages 3 and 4); a person means the document's pages, so they are picked first (qpdf,
// run as a process) and pdftopdf gets the other options. The preview and the job both do it.
#pragma once

#include "host/preview/PreviewJob.h"
#include "host/preview/PreviewSetup.h"
#include "host/preview/Subprocess.h"

#include <optional>
#include <string>

namespace host::preview {

class ChosenPages {
public:
    // True when the options choose pages and put several pages on a sheet.
    static bool needed(const OptionMap& options);
    // The options once the pages are picked: page-ranges left out.
    static OptionMap withoutRanges(OptionMap options);
    // A page list as CUPS takes it ("1-3,7", "9-", ascending) in qpdf's terms for a document of
    // `pages` pages, pages past the end left out; empty when none of its pages is in the document.
    // count: how many pages it names then.
    static std::string qpdfRanges(const std::string& list, int pages, int* count = nullptr);
    // Writes the pages of pdf that list names to out. The number of pages written (0: none is in the
    // document, and out is not written); nullopt and the reason when qpdf cannot read the document.
    static std::optional<int> pick(const Tools& tools, const std::string& pdf, const std::string& list,
        const std::string& out, const Command& limits, std::string* error);
};

} // namespace host::preview
