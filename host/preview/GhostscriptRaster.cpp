// SPDX-License-Identifier: Apache-2.0
// Ghostscript writes a Netpbm file into the work folder (it runs there, so every name is relative);
// only the asked sheet is interpreted (-dFirstPage/-dLastPage), whatever the document's length.
#include "host/preview/GhostscriptRaster.h"

#include "host/preview/NetpbmFile.h"
#include "host/preview/Subprocess.h"

#include <cstdio>
#include <sstream>

namespace host::preview {
namespace {

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

// Ghostscript's own word on what failed: its last line that names an error (it writes them to its
// standard output).
std::string lastError(const std::string& errors)
{
    std::istringstream in(errors);
    std::string found;
    for (std::string line; std::getline(in, line);) {
        const size_t start = line.find_first_not_of(" *");
        if (start != std::string::npos && line.find("rror", start) != std::string::npos) found = line.substr(start);
    }
    return found;
}

} // namespace

std::vector<std::string> GhostscriptRaster::arguments(const RasterRequest& request, const std::string& output) const
{
    char resolution[32];
    std::snprintf(resolution, sizeof resolution, "-r%.3f", request.resolution);
    std::vector<std::string> argv = {setup_.tools.ghostscript, "-q", "-dSAFER", "-dBATCH", "-dNOPAUSE",
        "-dTextAlphaBits=4", "-dGraphicsAlphaBits=4", std::string("-sDEVICE=") + deviceFor(request.kind), resolution,
        "-dFirstPage=" + std::to_string(request.sheet), "-dLastPage=" + std::to_string(request.sheet),
        "-sOutputFile=" + output};
    argv.insert(argv.end(), request.colourArguments.begin(), request.colourArguments.end());
    argv.push_back("-f");
    argv.push_back(request.pdf);
    return argv;
}

std::optional<Raster> GhostscriptRaster::render(
    const RasterRequest& request, const std::atomic<bool>* cancel, RasterFailure* failure) const
{
    const std::string output = "sheet.pnm";
    std::remove((folder_ + "/" + output).c_str());
    Command command;
    command.argv = arguments(request, output);
    command.environment = {"PATH=/usr/bin:/bin", "LC_ALL=C", "TMPDIR=" + folder_};
    command.workingDirectory = folder_;
    command.limit = setup_.timeLimit;
    command.cancel = cancel;
    const RunResult run = Subprocess::run(command);
    std::string error;
    std::optional<Raster> raster = run.succeeded() ? NetpbmFile::read(folder_ + "/" + output, &error) : std::nullopt;
    if (!raster && failure) {
        failure->timedOut = run.end == RunResult::End::TimedOut;
        failure->cancelled = run.end == RunResult::End::Cancelled;
        failure->reason = lastError(run.output + '\n' + run.errors);
        if (failure->reason.empty()) failure->reason = run.end == RunResult::End::NotStarted ? run.errors : error;
    }
    return raster;
}

} // namespace host::preview
