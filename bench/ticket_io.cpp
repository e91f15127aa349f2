// SPDX-License-Identifier: Apache-2.0
// Times the ticket as the host reads and writes it: in process (the property-list layer's own XML
// reader and writer on bytes in memory, beside libplist's) and through the file (read, write with
// fsync and rename). Prints medians in milliseconds and the number of keys as one JSON object.
// With --once it only reads and writes the file once and prints the process's peak resident size
// in KB (VmHWM: unlike the rusage figure it does not carry over from a parent that spawned it).
#include "cf/Array.h"
#include "cf/Dictionary.h"
#include "cf/File.h"
#include "cf/PlistLibrary.h"
#include "cf/PropertyList.h"
#include "host/TicketFile.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// The median of `runs` timed steps; what a step returns is kept until after its timing, so that
// freeing it is not counted (plistlib's times do not count it either).
template <class F>
double medianMs(int runs, F&& step)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        auto start = Clock::now();
        [[maybe_unused]] auto kept = step();
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

size_t keysIn(const cf::Ref& value)
{
    size_t keys = 0;
    if (auto dictionary = cf::as<cf::Dictionary>(value)) {
        for (const auto& [key, item] : dictionary->stringEntries()) keys += 1 + keysIn(item);
    } else if (auto array = cf::as<cf::Array>(value)) {
        for (const auto& item : array->items()) keys += keysIn(item);
    }
    return keys;
}

template <class T>
T orDie(T value, const std::string& error)
{
    if (!value) {
        std::fprintf(stderr, "%s\n", error.c_str());
        std::exit(1);
    }
    return value;
}

cf::DictionaryRef readFile(const std::string& path)
{
    std::string error;
    return *orDie(host::readTicket(path, &error), error);
}

bool writeFile(const std::string& path, const cf::DictionaryRef& settings)
{
    // A file that holds the bytes already is not written again.
    ::unlink(path.c_str());
    std::string error;
    return orDie(host::writeTicket(path, settings, std::nullopt, &error), error);
}

long peakResidentKb()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0) return std::atol(line.c_str() + 6);
    return -1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_ticket_io TICKET RUNS [--once]\n");
        return 2;
    }
    const std::string path = argv[1];
    const std::string copy = path + ".written";
    if (argc > 3 && std::strcmp(argv[3], "--once") == 0) {
        writeFile(copy, readFile(path));
        ::unlink(copy.c_str());
        std::printf("{\"peak_kb\": %ld}\n", peakResidentKb());
        return 0;
    }
    const int runs = std::max(1, std::atoi(argv[2]));
    const std::string bytes = *orDie(cf::File::read(path), "cannot read " + path);
    const cf::Ref settings = orDie(cf::PropertyList::createFromData(bytes), "not a property list");
    const auto unsupported = cf::PropertyList::Unsupported::Refuse;
    const double parse = medianMs(runs, [&] { return orDie(cf::PropertyList::createFromData(bytes), "parse"); });
    const double format = medianMs(runs, [&] { return orDie(cf::PropertyList::createXMLData(settings), "format"); });
    const double readMs = medianMs(runs, [&] { return readFile(path); });
    const double writeMs = medianMs(runs, [&] { return writeFile(copy, cf::as<cf::Dictionary>(settings)); });
    ::unlink(copy.c_str());
    const double libplistParse =
        medianMs(runs, [&] { return orDie(cf::PlistLibrary::read(bytes, unsupported), "parse"); });
    const double libplistFormat = medianMs(runs, [&] { return orDie(cf::PlistLibrary::writeXml(settings), "format"); });
    std::printf("{\"keys\": %zu, \"bytes\": %zu, \"parse_ms\": %.3f, \"format_ms\": %.3f, \"read_file_ms\": %.3f, "
                "\"write_file_ms\": %.3f, \"libplist_parse_ms\": %.3f, \"libplist_format_ms\": %.3f}\n",
        keysIn(settings), bytes.size(), parse, format, readMs, writeMs, libplistParse, libplistFormat);
    return 0;
}
