// SPDX-License-Identifier: Apache-2.0
// The notes of a sheet: the documents' (why one gives no sheet), the colour plan's in a proof, and
// the sheet's own when it cannot be drawn.
#include "host/preview/PreviewEngine.h"

#include "host/Translate.h"
#include "host/preview/ColourPlanner.h"
#include "host/preview/JobLayout.h"
#include "host/preview/PrinterChoices.h"
#include "host/preview/QuickColorPresets.h"
#include "host/preview/SheetRenderer.h"
#include "host/preview/WorkFolder.h"

#include <algorithm>

namespace host::preview {

struct PreviewEngine::Parts {
    PreviewSetup setup;
    std::unique_ptr<WorkFolder> folder;
    PrinterChoices printer;
    ProfileTable profiles;
    UserProfiles userProfiles;
    ColourPlanner planner;
    JobLayout layout;
    SheetRenderer renderer;

    Parts(const PreviewSetup& s, std::unique_ptr<WorkFolder> f, PrinterChoices p)
        : setup(s), folder(std::move(f)), printer(std::move(p)), profiles(setup.tools.iccDir, setup.printerProfile),
          userProfiles(setup.userProfileFolder), planner(printer, profiles, userProfiles),
          layout(setup, folder->path()), renderer(setup, folder->path())
    {
    }
};

namespace {

// White paper of the job's size, for a job without sheets or a sheet that cannot be drawn.
Raster blankPaper(const PaperSize& paper, const SheetBox& box)
{
    const double scale = std::min(box.width / paper.width, box.height / paper.height);
    const int width = std::max(1, static_cast<int>(paper.width * scale));
    const int height = std::max(1, static_cast<int>(paper.height * scale));
    return Raster(width, height, 3, 255);
}

std::string failureNote(const SheetRef& sheet, int number, const RasterFailure& failure, const PreviewSetup& setup)
{
    if (failure.timedOut)
        return trf("{1}: sheet {2} took longer than {3} s to draw; the preview stopped. Print still sends it as it is.",
            {sheet.document, std::to_string(number), std::to_string((setup.timeLimit.count() + 999) / 1000)});
    return trf("{1}: sheet {2} cannot be drawn ({3}). Print still sends it as it is.",
        {sheet.document, std::to_string(number), failure.reason});
}

} // namespace

std::unique_ptr<PreviewEngine> PreviewEngine::create(const PreviewSetup& setup, std::string* error)
{
    std::optional<PrinterChoices> printer = PrinterChoices::read(setup.ppdPath, error);
    if (!printer) return nullptr;
    std::unique_ptr<WorkFolder> folder = WorkFolder::make(error);
    if (!folder) return nullptr;
    return std::unique_ptr<PreviewEngine>(
        new PreviewEngine(std::make_unique<Parts>(setup, std::move(folder), std::move(*printer))));
}

PreviewEngine::PreviewEngine(std::unique_ptr<Parts> parts) : parts_(std::move(parts)) { }

PreviewEngine::~PreviewEngine() = default;

int PreviewEngine::sheetCount(const PreviewJob& job, const std::atomic<bool>* cancel)
{
    std::lock_guard<std::mutex> lock(mutex_);
    return static_cast<int>(parts_->layout.layOut(job.documents, job.layout, cancel).sheets.size());
}

PreviewEngine::Begun PreviewEngine::begin(const PreviewJob& job, const std::atomic<bool>* cancel)
{
    Begun begun;
    if (job.proof) begun.plan = parts_->planner.plan(job.ticket);
    parts_->renderer.prepare(begun.plan ? &*begun.plan : nullptr);
    begun.sheets = parts_->layout.layOut(job.documents, job.layout, cancel);
    return begun;
}

void PreviewEngine::prepare(const PreviewJob& job, const std::atomic<bool>* cancel)
{
    std::lock_guard<std::mutex> lock(mutex_);
    begin(job, cancel);
}

void PreviewEngine::warm(const PreviewJob& job, int sheet, const std::atomic<bool>* cancel)
{
    std::lock_guard<std::mutex> lock(mutex_);
    const OptionChoices* quick = parts_->printer.option("TLQuickColor");
    if (!job.proof || !quick) return;
    const JobSheets laid = parts_->layout.layOut(job.documents, job.layout, cancel);
    if (laid.sheets.empty() || laid.cancelled) return;
    const SheetRef& ref =
        laid.sheets[static_cast<size_t>(std::clamp(sheet, 1, static_cast<int>(laid.sheets.size())) - 1)];
    for (int preset = 0; preset < QuickColorPresets::kCustom && !(cancel && cancel->load()); ++preset) {
        OptionMap ticket = job.ticket;
        ticket["TLQuickColor"] = quick->at(preset);
        parts_->renderer.warm(ref, parts_->planner.plan(ticket), cancel);
    }
}

PreviewSheet PreviewEngine::render(const PreviewJob& job, int sheet, SheetBox box, const std::atomic<bool>* cancel)
{
    std::lock_guard<std::mutex> lock(mutex_);
    PreviewSheet result;
    box.width = std::max(box.width, 16);
    box.height = std::max(box.height, 16);
    Begun begun = begin(job, cancel);
    const std::optional<ColourPlan>& plan = begun.plan;
    JobSheets& sheets = begun.sheets;
    result.cancelled = sheets.cancelled;
    result.notes = std::move(sheets.notes);
    result.sheets = static_cast<int>(sheets.sheets.size());
    if (job.documents.empty()) result.notes.push_back(tr("There is no document to show."));
    if (sheets.sheets.empty() || result.cancelled) {
        result.picture = blankPaper(parts_->printer.paper(job.layout), box);
        return result;
    }
    result.sheet = std::clamp(sheet, 1, result.sheets);
    const SheetRef& ref = sheets.sheets[static_cast<size_t>(result.sheet - 1)];
    if (plan) result.notes.insert(result.notes.end(), plan->notes.begin(), plan->notes.end());
    SheetRenderer::Drawn drawn = parts_->renderer.draw(ref, plan ? &*plan : nullptr, box, cancel);
    if (drawn.picture) {
        result.picture = std::move(*drawn.picture);
        return result;
    }
    result.cancelled = drawn.failure.cancelled;
    if (!result.cancelled) result.notes.push_back(failureNote(ref, result.sheet, drawn.failure, parts_->setup));
    result.picture = blankPaper({ref.geometry.width, ref.geometry.height}, box);
    return result;
}

PreviewEngine::Counters PreviewEngine::counters() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return {parts_->layout.runs(), parts_->renderer.renders()};
}

} // namespace host::preview
