// SPDX-License-Identifier: Apache-2.0
// A job with chosen pages several to a sheet: each document's chosen pages are picked before the job
// goes, as the preview shows them, and the job goes without page-ranges (CUPS's pdftopdf would count
// the range in sheets).
#pragma once

#include "host/JobSubmitter.h"
#include "host/preview/PreviewJob.h"
#include "host/preview/WorkFolder.h"

#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace host {

class PickedPages {
public:
    using Pairs = JobSubmitter::Pairs;

    // Picks the pages when the options call for it (page-ranges with number-up above 1); otherwise,
    // or when they cannot be picked (problem() says why), the job stays as it is. ppdPath: the
    // printer's PPD, for the filters that turn PostScript and text into pages. Each helper program
    // runs at most `limit`.
    PickedPages(const std::string& ppdPath, const std::vector<JobSubmitter::Readable>& documents, Pairs options,
        std::chrono::milliseconds limit);

    // The options to send, and what goes in each document's place (empty: every document as it is).
    const Pairs& options() const { return options_; }
    const std::vector<JobSubmitter::Instead>& instead() const { return instead_; }
    // Why the pages were not picked; empty when they were or nothing needed picking.
    const std::string& problem() const { return problem_; }

private:
    bool pick(const std::string& ppdPath, const std::vector<JobSubmitter::Readable>& documents,
        const preview::OptionMap& options, std::chrono::milliseconds limit);

    Pairs options_;
    std::vector<JobSubmitter::Instead> instead_;
    std::string problem_;
    std::unique_ptr<preview::WorkFolder> folder_; // the picked files, until the job is sent
};

} // namespace host
