// SPDX-License-Identifier: Apache-2.0
// Lays a document out on sheets the way CUPS does for the printer: CUPS's own filters (cups-filters'
// gstopdf, texttopdf, imagetopdf, pdftopdf), run as processes with the job's options and the PPD, as
// the scheduler runs them (filter(7)). The result is a PDF with one page a sheet. Chosen pages several
// to a sheet are picked before the layout (ChosenPages).
#pragma once

#include "host/preview/DocumentKind.h"
#include "host/preview/PreviewJob.h"
#include "host/preview/PreviewSetup.h"

#include <atomic>
#include <string>
#include <vector>

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

    // The document as the PDF that the layout filter (pdftopdf) takes: a PDF is itself, PostScript and
    // text go through their filter into `pdf`. made: the PDF's path. Not for images, which are laid out
    // by their own filter.
    FilterOutcome toPdf(const std::string& document, DocumentKind kind, const OptionMap& options,
        const std::string& pdf, std::string* made, const std::atomic<bool>* cancel) const;

    // The options as the filters' fifth argument: name=value, quoted where needed.
    static std::string encodeOptions(const OptionMap& options);

private:
    struct Step {
        const char* filter;
        const char* contentType; // of the step's input
    };
    static std::vector<Step> stepsFor(DocumentKind kind);
    FilterOutcome runSteps(const std::vector<Step>& steps, const std::string& input, const OptionMap& options,
        const std::string& output, const std::atomic<bool>* cancel) const;
    FilterOutcome runFilter(const std::string& filter, const std::string& contentType, const std::string& input,
        const std::string& output, const std::string& options, const std::atomic<bool>* cancel) const;
    FilterOutcome layOutChosen(const std::string& document, DocumentKind kind, const OptionMap& options,
        const std::string& sheetsPdf, const std::atomic<bool>* cancel) const;

    const PreviewSetup& setup_;
};

} // namespace host::preview
