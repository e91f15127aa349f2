// SPDX-License-Identifier: Apache-2.0
// The user's profile folder is the panel's fixed folder as this system keeps it: inside the bundle.
#include "host/preview/PreviewSession.h"

#include "cf/Bundle.h"
#include "host/Translate.h"
#include "host/preview/PngFile.h"
#include "services/FixedPaths.h"

#include <algorithm>

namespace host::preview {
namespace {

constexpr const char* kProfileFolder = "/Library/Printers/TESSALUMA/zq4410/Profiles";

} // namespace

PreviewSession::PreviewSession(PreviewSetup setup, std::vector<Document> documents)
    : setup_(std::move(setup)), documents_(std::move(documents))
{
}

PreviewSession::~PreviewSession() = default;

PreviewSetup PreviewSession::setupFor(
    const std::string& ppdPath, const std::string& samplePpds, const std::string& bundle)
{
    PreviewSetup setup;
    setup.ppdPath = ppdPath;
    setup.printerProfile = samplePpds + "/../icc/zq4410.icc";
    setup.userProfileFolder = svc::FixedPaths::resolve(kProfileFolder, cf::Bundle(bundle, "preview"));
    return setup;
}

PreviewJob PreviewSession::job(OptionMap layout, OptionMap ticket) const
{
    return PreviewJob{documents_, std::move(layout), std::move(ticket), proof_};
}

PreviewEngine* PreviewSession::engine(std::string* error)
{
    std::lock_guard<std::mutex> lock(engineMutex_);
    if (!engine_) engine_ = PreviewEngine::create(setup_, error);
    return engine_.get();
}

std::string PreviewSession::noSuchSheet(int sheet, int sheets)
{
    return trf("there is no sheet {1}: the job has {2}", {std::to_string(sheet), std::to_string(sheets)});
}

std::optional<PreviewAnswer> PreviewSession::write(
    const PreviewJob& job, int sheet, SheetBox box, const std::string& path, std::string* error)
{
    if (job.documents.empty()) {
        if (error) *error = tr("there is no document to preview");
        return std::nullopt;
    }
    PreviewEngine* drawer = engine(error);
    if (!drawer) return std::nullopt;
    if (const int sheets = drawer->sheetCount(job); sheet > std::max(1, sheets)) {
        if (error)
            *error = trf("there is no sheet {1}: the job has {2}", {std::to_string(sheet), std::to_string(sheets)});
        return std::nullopt;
    }
    PreviewSheet drawn = drawer->render(job, sheet, box);
    if (!PngFile::write(drawn.picture, path, error)) return std::nullopt;
    return PreviewAnswer{path, drawn.sheet, drawn.sheets, job.proof, std::move(drawn.notes)};
}

} // namespace host::preview
