// SPDX-License-Identifier: Apache-2.0
// Renders one sheet of a laid-out PDF with Ghostscript, run as its own process with a time limit:
// to RGB for the plain layout, to CMYK (the toner) for a proof, to gray for Color as Grayscale. The
// process stays for the next sheet while the colour settings it was started with stand.
#pragma once

#include "host/preview/GhostscriptServer.h"
#include "host/preview/PreviewSetup.h"
#include "host/preview/Raster.h"

#include <atomic>
#include <list>
#include <memory>
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
    std::vector<std::string> colourArguments; // Ghostscript's options at start (relative names)
    std::string pageParameters;               // page device entries for this sheet (PostScript)
};

struct RasterFailure {
    bool timedOut = false;
    bool cancelled = false;
    std::string reason;
};

class GhostscriptRaster {
public:
    GhostscriptRaster(const PreviewSetup& setup, std::string workFolder);
    ~GhostscriptRaster();

    // Starts the Ghostscript that will draw `request`'s kind with its colour arguments, and returns at
    // once: its start-up overlaps what the caller does before render.
    void start(const RasterRequest& request);
    // Draws `request`'s sheet at a small size on the Ghostscript that draws it, unless that one has
    // drawn a page already, so that its start and colour links are done before the request is made.
    // Stops when cancel turns true. The processes kept are bounded; the one used longest ago ends
    // first.
    void warm(const RasterRequest& request, const std::atomic<bool>* cancel);
    // The sheet as Ghostscript draws it (rotated as the page says); nullopt and why on failure.
    std::optional<Raster> render(const RasterRequest& request, const std::atomic<bool>* cancel, RasterFailure* failure);

    // A file name as a PostScript string, with its parentheses and backslashes escaped.
    static std::string postScriptString(const std::string& text);

private:
    std::vector<std::string> arguments(const RasterRequest& request) const;
    GhostscriptServer& server(const std::vector<std::string>& arguments);

    const PreviewSetup& setup_;
    std::string folder_;
    std::string program(const RasterRequest& request, const std::string& output) const;

    // The plain layout, the proof shown and one for each other Quick Color preset, so that switching
    // between them starts nothing.
    std::list<std::unique_ptr<GhostscriptServer>> servers_;
    int pictures_ = 0;
};

} // namespace host::preview
