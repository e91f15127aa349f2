// SPDX-License-Identifier: Apache-2.0
// Ghostscript writes a Netpbm file into the work folder; only the asked sheet is interpreted, whatever
// the document's length. -dSAFER holds, with the work folder alone opened to it.
#include "host/preview/GhostscriptRaster.h"

#include "host/preview/NetpbmFile.h"

#include <cstdio>
#include <sstream>

namespace host::preview {
namespace {

constexpr size_t kServers = 5;
// A warm-up is for the colour links, fonts and images, not the picture.
constexpr double kWarmResolution = 6;

const char* deviceFor(RasterKind kind)
{
    switch (kind) {
    case RasterKind::Cmyk:
        return "pamcmyk32";
    case RasterKind::Gray:
        return "pgmraw";
    default:
        return "ppmraw";
    }
}

// Ghostscript's own word on what failed: its last line that names an error.
std::string lastError(const std::string& messages)
{
    std::istringstream in(messages);
    std::string found;
    for (std::string line; std::getline(in, line);) {
        const size_t start = line.find_first_not_of(" *");
        if (start != std::string::npos && line.find("rror", start) != std::string::npos) found = line.substr(start);
    }
    return found;
}

} // namespace

GhostscriptRaster::GhostscriptRaster(const PreviewSetup& setup, std::string workFolder)
    : setup_(setup), folder_(std::move(workFolder))
{
}

GhostscriptRaster::~GhostscriptRaster() = default;

std::string GhostscriptRaster::postScriptString(const std::string& text)
{
    std::string result = "(";
    for (char c : text) {
        if (c == '(' || c == ')' || c == '\\') result += '\\';
        // The interpreter reads a statement a line: a line break inside a name is written as \n.
        result += c == '\n' ? std::string("\\n") : std::string(1, c);
    }
    return result + ")";
}

std::vector<std::string> GhostscriptRaster::arguments(const RasterRequest& request) const
{
    std::vector<std::string> argv = {setup_.tools.ghostscript, "-q", "-dSAFER", "-dNOPAUSE", "-dNOPROMPT",
        "--permit-file-all=" + folder_ + "/", "-dTextAlphaBits=4", "-dGraphicsAlphaBits=4",
        std::string("-sDEVICE=") + deviceFor(request.kind), "-sOutputFile=" + folder_ + "/start.pnm"};
    argv.insert(argv.end(), request.colourArguments.begin(), request.colourArguments.end());
    return argv;
}

GhostscriptServer& GhostscriptRaster::server(const std::vector<std::string>& arguments)
{
    for (auto it = servers_.begin(); it != servers_.end(); ++it) {
        if ((*it)->arguments() != arguments) continue;
        servers_.splice(servers_.begin(), servers_, it);
        return *servers_.front();
    }
    servers_.push_front(std::make_unique<GhostscriptServer>(
        arguments, std::vector<std::string>{"PATH=/usr/bin:/bin", "LC_ALL=C", "TMPDIR=" + folder_}, folder_));
    if (servers_.size() > kServers) servers_.pop_back();
    return *servers_.front();
}

std::string GhostscriptRaster::program(const RasterRequest& request, const std::string& output) const
{
    char dpi[64];
    std::snprintf(dpi, sizeof dpi, "[%.3f %.3f]", request.resolution, request.resolution);
    const std::string sheet = std::to_string(request.sheet);
    return "<< /OutputFile " + postScriptString(output) + " /HWResolution " + dpi + " " + request.pageParameters +
        " >> setpagedevice " + postScriptString(folder_ + "/" + request.pdf) + " (r) file runpdfbegin " + sheet + " " +
        sheet + " dopdfpages runpdfend";
}

void GhostscriptRaster::start(const RasterRequest& request)
{
    server(arguments(request)).start(nullptr);
}

void GhostscriptRaster::warm(const RasterRequest& request, const std::atomic<bool>* cancel)
{
    GhostscriptServer& warmed = server(arguments(request));
    if (warmed.pages() > 0) return;
    // The sheet at a small size: the colour links are built and its fonts and images read.
    RasterRequest small = request;
    small.resolution = kWarmResolution;
    const std::string output = folder_ + "/warm" + std::to_string(++pictures_) + ".pnm";
    warmed.run(program(small, output), setup_.timeLimit, cancel);
    std::remove(output.c_str());
}

std::optional<Raster> GhostscriptRaster::render(
    const RasterRequest& request, const std::atomic<bool>* cancel, RasterFailure* failure)
{
    // A new name each time: Ghostscript keeps the device's file open while the name stays the same.
    const std::string output = folder_ + "/sheet" + std::to_string(++pictures_) + ".pnm";
    const ServerOutcome outcome = server(arguments(request)).run(program(request, output), setup_.timeLimit, cancel);
    std::string error;
    std::optional<Raster> raster = outcome.ok ? NetpbmFile::read(output, &error) : std::nullopt;
    std::remove(output.c_str());
    if (!raster && failure) {
        failure->timedOut = outcome.timedOut;
        failure->cancelled = outcome.cancelled;
        failure->reason = lastError(outcome.messages);
        if (failure->reason.empty()) failure->reason = outcome.ok ? error : outcome.messages;
    }
    return raster;
}

} // namespace host::preview
