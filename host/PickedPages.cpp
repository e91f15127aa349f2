// SPDX-License-Identifier: Apache-2.0
// The same steps as the preview's: PostScript and text through their CUPS filter into PDF, then qpdf.
#include "host/PickedPages.h"

#include "host/Translate.h"
#include "host/preview/ChosenPages.h"
#include "host/preview/CupsFilterChain.h"

#include <algorithm>

namespace host {
namespace {

using preview::DocumentKind;

bool isImage(DocumentKind kind)
{
    return kind == DocumentKind::Png || kind == DocumentKind::Jpeg;
}

} // namespace

PickedPages::PickedPages(const std::string& ppdPath, const std::vector<JobSubmitter::Readable>& documents,
    Pairs options, std::chrono::milliseconds limit)
    : options_(std::move(options))
{
    const preview::OptionMap map(options_.begin(), options_.end());
    if (!preview::ChosenPages::needed(map)) return;
    if (!pick(ppdPath, documents, map, limit)) {
        instead_.clear();
        return;
    }
    options_.erase(std::remove_if(options_.begin(), options_.end(),
                       [](const auto& option) { return option.first == "page-ranges"; }),
        options_.end());
}

bool PickedPages::pick(const std::string& ppdPath, const std::vector<JobSubmitter::Readable>& documents,
    const preview::OptionMap& options, std::chrono::milliseconds limit)
{
    const std::string& list = options.at("page-ranges");
    // The filters get the job's options, as the scheduler would give them.
    const preview::OptionMap rest = preview::ChosenPages::withoutRanges(options);
    if (!(folder_ = preview::WorkFolder::make(&problem_))) return false;
    preview::PreviewSetup setup;
    setup.ppdPath = ppdPath;
    setup.timeLimit = limit;
    const preview::CupsFilterChain filters(setup);
    preview::Command limits;
    limits.limit = limit;
    for (size_t i = 0; i < documents.size(); ++i) {
        const DocumentKind kind = preview::DocumentKinds::detect(documents[i].path);
        if (isImage(kind)) {
            instead_.push_back({preview::ChosenPages::qpdfRanges(list, 1).empty(), {}});
            continue;
        }
        const std::string base = folder_->path() + "/document" + std::to_string(i + 1);
        std::string pdf, reason;
        const preview::FilterOutcome made = filters.toPdf(documents[i].path, kind, rest, base + ".pdf", &pdf, nullptr);
        std::optional<int> pages = made.ok
            ? preview::ChosenPages::pick(setup.tools, pdf, list, base + "-chosen.pdf", limits, &reason)
            : std::nullopt;
        if (!pages) {
            problem_ = trf("{1}: {2}", {documents[i].title, made.ok ? reason : made.reason});
            return false;
        }
        instead_.push_back({*pages == 0, *pages == 0 ? std::string() : base + "-chosen.pdf"});
    }
    return true;
}

} // namespace host
