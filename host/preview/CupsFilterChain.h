// SPDX-License-Identifier: Apache-2.0
// Lays a document out on sheets the way CUPS does for the printer: CUPS's own filters (cups-filters'
// gstopdf, texttopdf, imagetopdf, pdftopdf), run as processes with the job's options and the PPD, as
// the scheduler runs them (filter(7)). The result is a PDF with one page a sheet.
#pragma once

#include "host/preview/DocumentKind.h"
#include "host/preview/PreviewJob.h"
#include "host/preview/PreviewSetup.h"

#include <atomic>
#include <string>

namespace host::preview {

struct FilterOutcome {
    bool ok = false;
    bool timedOut = false;
    bool cancelled = false;
    std::string reason; // what the failing filter said (its last ERROR line), when not ok
};

class CupsFilterChain {
public:
    explicit CupsFilterChain(const PreviewSetup& setup) : setup_(setup) { }

    // Writes the sheets of `document` (of the given kind) to `sheetsPdf`, the steps between beside
    // it; `options` are the job's CUPS options ("number-up" -> "2").
    FilterOutcome layOut(const std::string& document, DocumentKind kind, const OptionMap& options,
        const std::string& sheetsPdf, const std::atomic<bool>* cancel) const;

    // The options as the filters' fifth argument: name=value, quoted where needed.
    static std::string encodeOptions(const OptionMap& options);

private:
    FilterOutcome runFilter(const std::string& filter, const std::string& contentType, const std::string& input,
        const std::string& output, const std::string& options, const std::atomic<bool>* cancel) const;

    const PreviewSetup& setup_;
};

} // namespace host::preview
