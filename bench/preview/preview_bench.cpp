// SPDX-License-Identifier: Apache-2.0
// Times the preview as a dialog meets it: the first proofed sheet of a fresh job, a re-proof after one
// colour option changed, and the first sheet of a 100-page document against a one-page one.
// Prints one line per measure with the median and the spread of the runs.
#include "BenchDocument.h"
#include "host/preview/PreviewEngine.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using namespace host::preview;
using Clock = std::chrono::steady_clock;

struct Options {
    std::string ppd, printerProfile, folder;
    int runs = 15;
    SheetBox box{420, 594};
};

std::unique_ptr<PreviewEngine> freshEngine(const Options& options)
{
    PreviewSetup setup;
    setup.ppdPath = options.ppd;
    setup.printerProfile = options.printerProfile;
    std::string error;
    auto engine = PreviewEngine::create(setup, &error);
    if (!engine) {
        std::fprintf(stderr, "preview_bench: %s\n", error.c_str());
        std::exit(1);
    }
    return engine;
}

PreviewJob proofJob(const std::string& document, const std::string& intent)
{
    return PreviewJob{
        {{document, {}}}, {}, {{"TLQuickColor", "CustomSettings"}, {"TLImageRenderIntent", intent}}, true};
}

class Stopwatch {
public:
    Stopwatch() : start_(Clock::now()) { }
    double milliseconds() const { return std::chrono::duration<double, std::milli>(Clock::now() - start_).count(); }

private:
    Clock::time_point start_;
};

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Runs `measure` (milliseconds) the given number of times; prints the median and the range.
void report(const char* name, int runs, const std::function<double()>& measure)
{
    std::vector<double> samples;
    for (int i = 0; i < runs; ++i) samples.push_back(measure());
    const auto [low, high] = std::minmax_element(samples.begin(), samples.end());
    std::printf("%-44s median %7.1f ms  (%.1f to %.1f, %d runs)\n", name, median(samples), *low, *high, runs);
    std::fflush(stdout);
}

double firstSheet(const Options& options, const std::string& document)
{
    auto engine = freshEngine(options);
    const Stopwatch watch;
    engine->render(proofJob(document, "Perceptual"), 1, options.box);
    return watch.milliseconds();
}

double optionChange(const Options& options, const std::string& document)
{
    auto engine = freshEngine(options);
    engine->render(proofJob(document, "Perceptual"), 1, options.box);
    const Stopwatch watch;
    engine->render(proofJob(document, "Saturation"), 1, options.box);
    return watch.milliseconds();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: preview_bench PPD PRINTER_PROFILE [RUNS]\n");
        return 2;
    }
    Options options;
    options.ppd = argv[1];
    options.printerProfile = argv[2];
    if (argc > 3) options.runs = std::max(1, std::atoi(argv[3]));
    options.folder = std::filesystem::temp_directory_path() / ("preview-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(options.folder);
    const std::string one = previewbench::makeDocument(options.folder, 1);
    const std::string hundred = previewbench::makeDocument(options.folder, 100);
    double load[3] = {};
    ::getloadavg(load, 3);
    std::printf("sheet box %d x %d pixels; load average %.2f on %ld cores\n", options.box.width, options.box.height,
        load[0], ::sysconf(_SC_NPROCESSORS_ONLN));
    report("first proofed sheet, 1-page PDF", options.runs, [&] { return firstSheet(options, one); });
    report("first proofed sheet, 100-page PDF", options.runs, [&] { return firstSheet(options, hundred); });
    report("re-proof after one colour option changed", options.runs, [&] { return optionChange(options, one); });
    std::filesystem::remove_all(options.folder);
    return 0;
}
