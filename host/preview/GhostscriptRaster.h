// SPDX-License-Identifier: Apache-2.0
// Renders one sheet of a laid-out PDF with Ghostscript, run as its own process with a time limit:
// to RGB for the plain layout, to CMYK (the toner) for a proof, to gray for Color as Grayscale.
#pragma once

#include "host/preview/PreviewSetup.h"
#include "host/preview/Raster.h"

#include <atomic>
#include <optional>
#include <string>
#include <vector>

namespace host::preview {

enum class RasterKind { Rgb, Cmyk, Gray };

struct RasterRequest {
    std::string pdf; // a file in the work folder, by its name there
    int sheet = 1;   // 1-based
    double resolution = 72;
    RasterKind kind = RasterKind::Rgb;
    std::vector<std::string> colourArguments;
};

struct RasterFailure {
    bool timedOut = false;
    bool cancelled = false;
    std::string reason;
};

class GhostscriptRaster {
public:
    GhostscriptRaster(const PreviewSetup& setup, std::string workFolder) : setup_(setup), folder_(std::move(workFolder))
    {
    }

    // The sheet as Ghostscript draws it (rotated as the page says); nullopt and why on failure.
    std::optional<Raster> render(
        const RasterRequest& request, const std::atomic<bool>* cancel, RasterFailure* failure) const;

private:
    std::vector<std::string> arguments(const RasterRequest& request, const std::string& output) const;

    const PreviewSetup& setup_;
    std::string folder_;
};

} // namespace host::preview
