// SPDX-License-Identifier: Apache-2.0
// Times the profile list store on the file in the (private) home: a fresh parse of the whole file,
// a whole save, and the seven list reads a restore makes after the file changed. Prints medians in
// milliseconds as one JSON object.
#include "cf/File.h"
#include "profiles/store/FastListWriter.h"
#include "profiles/store/ProfileListFile.h"
#include "profiles/store/TLPList.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

template <class P, class F>
double medianMs(int runs, P&& prepare, F&& step)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        prepare(i);
        auto start = Clock::now();
        step(i);
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

struct Lists {
    tlco::ProfileList rgb, sim, dst;
};

} // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::atoi(argv[1]) : 20;
    auto path = tlco::TLPListMakePath(tlco::kProfileListFile);
    auto lists = std::make_unique<Lists>();
    if (!path || tlco::TLPListReadProfile_All(&lists->rgb, &lists->sim, &lists->dst) != 0) {
        std::fprintf(stderr, "no profile list file in the home\n");
        return 1;
    }
    auto nothing = [](int) {};
    const double read = medianMs(runs, nothing, [&](int) {
        auto loaded = tlco::profilefile::parse(*cf::File::read(*path));
        if (loaded->state != tlco::profilefile::Loaded::State::Complete) std::abort();
    });
    // Each save differs from the file, so every one is written.
    const double write = medianMs(runs, nothing, [&](int i) {
        lists->rgb.litem[0].iIndexOnDevice = i;
        if (tlco::TLPListWriteProfile_All(&lists->rgb, &lists->sim, &lists->dst) != 0) std::abort();
    });
    // The write's own share: formatting the bytes, without the file calls.
    size_t formatted = 0;
    const double format = medianMs(
        runs, nothing, [&](int) { formatted += tlco::writeListsXml(lists->rgb, lists->sim, lists->dst).size(); });
    if (formatted == 0) std::abort();
    auto scratch = std::make_unique<tlco::ProfileList>();
    // The file changed just before, as after a walk's merge.
    auto change = [&](int i) {
        lists->rgb.litem[0].iIndexOnDevice = 1000 + i;
        tlco::TLPListWriteProfile_All(&lists->rgb, &lists->sim, &lists->dst);
    };
    const double restore = medianMs(runs, change, [&](int) {
        for (int pop = 0; pop < 7; ++pop) tlco::TLPListReadProfile_Dict(scratch.get(), pop % 3);
    });
    std::printf("{\"read_ms\": %.3f, \"write_ms\": %.3f, \"format_ms\": %.3f, \"restore_reads_ms\": %.3f}\n", read,
        write, format, restore);
    return 0;
}
