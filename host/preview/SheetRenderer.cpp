// SPDX-License-Identifier: Apache-2.0
// Ghostscript's picture is keyed by what it depends on (the sheet, its size, the colour management),
// the shown picture also by EconoMode, Brightness and the separation view.
#include "host/preview/SheetRenderer.h"

#include "host/preview/PreviewEngine.h"
#include "host/preview/SeparationSheet.h"

#include <algorithm>
#include <future>
#include <system_error>
#include <thread>

namespace host::preview {
namespace {

// Toner from Ghostscript's gray: 255 is white paper.
Raster blackToner(const Raster& gray)
{
    Raster toner = gray;
    for (uint8_t& value : toner.pixels) value = static_cast<uint8_t>(255 - value);
    return toner;
}

Raster blackAsCmyk(const Raster& black)
{
    Raster cmyk(black.width, black.height, 4);
    for (size_t i = 0; i < black.pixels.size(); ++i) cmyk.pixels[i * 4 + 3] = black.pixels[i];
    return cmyk;
}

// Builds the proof's transforms on a thread of its own; ready when they are built.
std::shared_future<bool> buildInBackground(const std::shared_ptr<SoftProof>& proof)
{
    auto built = std::make_shared<std::promise<bool>>();
    std::shared_future<bool> ready = built->get_future().share();
    try {
        std::thread([proof, built] { built->set_value(proof->prepare()); }).detach();
    } catch (const std::system_error&) {
        built->set_value(proof->prepare());
    }
    return ready;
}

} // namespace

SheetRenderer::SheetRenderer(const PreviewSetup& setup, const std::string& workFolder)
    : colour_(workFolder, setup.printerProfile, setup.tools.iccDir + "/ghostscript/srgb.icc",
          setup.tools.iccDir + "/ghostscript/sgray.icc"),
      ghostscript_(setup, workFolder), proof_(std::make_shared<SoftProof>(setup.printerProfile))
{
}

double SheetRenderer::resolutionFor(const SheetGeometry& geometry, const SheetBox& box)
{
    const double scale = std::min(box.width / geometry.width, box.height / geometry.height);
    return std::clamp(scale * 72.0, 1.0, 1200.0);
}

std::string SheetRenderer::rasterKey(const RasterRequest& request)
{
    std::string key = request.pdf + '|' + std::to_string(request.sheet) + '|' + std::to_string(request.resolution) +
        '|' + std::to_string(static_cast<int>(request.kind));
    for (const std::string& argument : request.colourArguments) key += '|' + argument;
    return key + '|' + request.pageParameters;
}

std::optional<Raster> SheetRenderer::raster(
    const RasterRequest& request, int rotate, const std::atomic<bool>* cancel, RasterFailure& failure)
{
    const std::string key = rasterKey(request);
    if (const Raster* kept = rasters_.find(key)) return *kept;
    ++renders_;
    std::optional<Raster> drawn = ghostscript_.render(request, cancel, &failure);
    if (!drawn) return std::nullopt;
    // Ghostscript turns the page as the printer feeds it; a person reads it turned back.
    return rasters_.put(key, drawn->rotated(360 - rotate));
}

std::optional<Raster> SheetRenderer::show(const Raster& raster, RasterKind kind, const ColourPlan& plan)
{
    Raster toner = kind == RasterKind::Gray ? blackToner(raster) : raster;
    SoftProof::applyTonerCurves(toner, plan);
    if (plan.separation) return SeparationSheet::compose(kind == RasterKind::Gray ? blackAsCmyk(toner) : toner);
    return kind == RasterKind::Gray ? proof_->proofBlack(toner) : proof_->proofCmyk(toner);
}

bool SheetRenderer::request(const ColourPlan* plan, RasterRequest& request, std::string* error)
{
    if (!plan) return true;
    request.kind = plan->grayscale ? RasterKind::Gray : RasterKind::Cmyk;
    if (request.kind != RasterKind::Cmyk) return true;
    std::optional<ColourSetup> colour = colour_.forPlan(*plan, error);
    if (!colour) return false;
    request.colourArguments = colour->start;
    request.pageParameters = colour->page;
    return true;
}

void SheetRenderer::prepare(const ColourPlan* plan)
{
    RasterRequest warm;
    std::string ignored;
    if (request(plan, warm, &ignored)) ghostscript_.start(warm);
    // The first proof's transforms are built on the other core meanwhile.
    if (plan && !warming_.valid()) warming_ = buildInBackground(proof_);
}

void SheetRenderer::warm(const SheetRef& sheet, const ColourPlan& plan, const std::atomic<bool>* cancel)
{
    RasterRequest request;
    request.pdf = sheet.pdf;
    request.sheet = sheet.page;
    std::string ignored;
    if (this->request(&plan, request, &ignored)) ghostscript_.warm(request, cancel);
}

SheetRenderer::Drawn SheetRenderer::draw(
    const SheetRef& sheet, const ColourPlan* plan, const SheetBox& box, const std::atomic<bool>* cancel)
{
    Drawn result;
    RasterRequest request{sheet.pdf, sheet.page, resolutionFor(sheet.geometry, box), RasterKind::Rgb, {}, {}};
    if (!this->request(plan, request, &result.failure.reason)) return result;
    std::optional<Raster> drawn = raster(request, sheet.geometry.rotate, cancel, result.failure);
    if (warming_.valid()) warming_.wait();
    if (!drawn || !plan) {
        result.picture = std::move(drawn);
        return result;
    }
    const std::string key = rasterKey(request) + '|' + std::to_string(plan->econoMode) + '|' +
        std::to_string(plan->brightness) + '|' + std::to_string(plan->separation);
    if (const Raster* kept = pictures_.find(key)) {
        result.picture = *kept;
        return result;
    }
    result.picture = show(*drawn, request.kind, *plan);
    if (result.picture) pictures_.put(key, *result.picture);
    return result;
}

} // namespace host::preview
