// SPDX-License-Identifier: Apache-2.0
// qpdf tells the page count and copies the chosen pages into a new file, leaving them as they are.
#include "host/preview/ChosenPages.h"

#include <charconv>
#include <sstream>

namespace host::preview {
namespace {

long number(std::string_view text)
{
    long value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size() ? value : -1;
}

// qpdf's exit status 3 means it succeeded with warnings (a slightly damaged file it repaired).
bool qpdfSucceeded(const RunResult& run)
{
    return run.end == RunResult::End::Exited && (run.status == 0 || run.status == 3);
}

// A path qpdf cannot take for an option.
std::string asOperand(const std::string& path)
{
    return path.rfind('-', 0) == 0 ? "./" + path : path;
}

std::string qpdfReason(const RunResult& run)
{
    if (run.end == RunResult::End::TimedOut) return "qpdf took too long";
    if (run.end == RunResult::End::Cancelled) return "cancelled";
    const size_t start = run.errors.find_first_not_of('\n');
    const std::string text = start == std::string::npos ? std::string() : run.errors.substr(start);
    return text.substr(0, text.find('\n'));
}

} // namespace

bool ChosenPages::needed(const OptionMap& options)
{
    auto ranges = options.find("page-ranges");
    auto up = options.find("number-up");
    return ranges != options.end() && !ranges->second.empty() && up != options.end() && number(up->second) > 1;
}

OptionMap ChosenPages::withoutRanges(OptionMap options)
{
    options.erase("page-ranges");
    return options;
}

std::string ChosenPages::qpdfRanges(const std::string& list, int pages, int* count)
{
    std::string result;
    int named = 0;
    std::istringstream items(list);
    for (std::string item; std::getline(items, item, ',');) {
        const size_t dash = item.find('-');
        const long first = number(item.substr(0, dash));
        long last = dash == std::string::npos ? first : dash + 1 == item.size() ? pages : number(item.substr(dash + 1));
        if (first < 1 || last < first || first > pages) continue;
        last = std::min<long>(last, pages);
        if (!result.empty()) result += ',';
        result += first == last ? std::to_string(first) : std::to_string(first) + '-' + std::to_string(last);
        named += static_cast<int>(last - first + 1);
    }
    if (count) *count = named;
    return result;
}

std::optional<int> ChosenPages::pick(const Tools& tools, const std::string& pdf, const std::string& list,
    const std::string& out, const Command& limits, std::string* error)
{
    Command count = limits;
    count.argv = {tools.qpdf, "--show-npages", asOperand(pdf)};
    count.environment = {"LC_ALL=C", "PATH=/usr/bin:/bin"};
    const RunResult counted = Subprocess::run(count);
    const long pages = qpdfSucceeded(counted) ? number(counted.output.substr(0, counted.output.find('\n'))) : -1;
    if (pages < 0) {
        if (error) *error = qpdfReason(counted);
        return std::nullopt;
    }
    int chosen = 0;
    const std::string ranges = qpdfRanges(list, static_cast<int>(pages), &chosen);
    if (ranges.empty()) return 0;
    Command copy = count;
    copy.argv = {tools.qpdf, "--empty", "--pages", asOperand(pdf), ranges, "--", asOperand(out)};
    const RunResult copied = Subprocess::run(copy);
    if (!qpdfSucceeded(copied)) {
        if (error) *error = qpdfReason(copied);
        return std::nullopt;
    }
    return chosen;
}

} // namespace host::preview
