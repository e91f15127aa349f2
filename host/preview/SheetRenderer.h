// SPDX-License-Identifier: Apache-2.0
// Draws one laid-out sheet: Ghostscript's picture of it (plain RGB, CMYK toner, or gray for Color as
// Grayscale), turned to reading orientation, then shown as it prints (toner curves, soft proof, or
// the separation view). Both steps keep their last results.
#pragma once

#include "host/preview/ColourArguments.h"
#include "host/preview/ColourPlan.h"
#include "host/preview/GhostscriptRaster.h"
#include "host/preview/JobLayout.h"
#include "host/preview/LruCache.h"
#include "host/preview/SoftProof.h"

#include <atomic>
#include <future>
#include <memory>
#include <optional>

namespace host::preview {

struct SheetBox;

class SheetRenderer {
public:
    SheetRenderer(const PreviewSetup& setup, const std::string& workFolder);

    // Gets Ghostscript and the proof's transforms going for a plan (null: the plain layout), so that
    // they start while the documents are laid out; draw waits for them.
    void prepare(const ColourPlan* plan);

    struct Drawn {
        std::optional<Raster> picture; // RGB
        RasterFailure failure;         // when there is no picture
    };
    // plan: null for the plain layout.
    Drawn draw(const SheetRef& sheet, const ColourPlan* plan, const SheetBox& box, const std::atomic<bool>* cancel);
    int renders() const { return renders_; }
    // Gets the Ghostscript that would draw the sheet under the plan running, with its colour links
    // built and the sheet's fonts read; stops when cancel turns true.
    void warm(const SheetRef& sheet, const ColourPlan& plan, const std::atomic<bool>* cancel);

    // The resolution at which a sheet, as a person reads it, fits the box.
    static double resolutionFor(const SheetGeometry& geometry, const SheetBox& box);

private:
    // The request for a sheet under a plan; false (and why) when its colour files cannot be made.
    bool request(const ColourPlan* plan, RasterRequest& request, std::string* error);
    static std::string rasterKey(const RasterRequest& request);
    std::optional<Raster> raster(
        const RasterRequest& request, int rotate, const std::atomic<bool>* cancel, RasterFailure& failure);
    std::optional<Raster> show(const Raster& raster, RasterKind kind, const ColourPlan& plan);

    ColourArguments colour_;
    GhostscriptRaster ghostscript_;
    // Shared with the thread that builds its transforms, which is never waited for when the sheet is
    // not needed any more (the dialog closing): it lets go of the proof when it is done.
    std::shared_ptr<SoftProof> proof_;
    LruCache<Raster> rasters_{8};
    LruCache<Raster> pictures_{16};
    std::shared_future<bool> warming_;
    int renders_ = 0;
};

} // namespace host::preview
