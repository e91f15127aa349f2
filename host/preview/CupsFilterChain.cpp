// SPDX-License-Identifier: Apache-2.0
// The chains are those of cups-filters' conversion rules for a PostScript printer, up to the PDF that
// would go on to the printer's own filter: PDF -> pdftopdf; PostScript -> gstopdf -> pdftopdf;
// text -> texttopdf -> pdftopdf; PNG, JPEG -> imagetopdf.
#include "host/preview/CupsFilterChain.h"

#include "host/preview/ChosenPages.h"
#include "host/preview/Subprocess.h"

#include <fstream>

#include <sstream>

namespace host::preview {
namespace {

// The filter's own word for what went wrong: its last "ERROR:" line, else its last line.
std::string lastError(const std::string& errors)
{
    std::istringstream in(errors);
    std::string error, last;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("ERROR: ", 0) == 0) error = line.substr(7);
        if (!line.empty() && line.rfind("DEBUG", 0) != 0) last = line;
    }
    return error.empty() ? last : error;
}

bool needsQuotes(const std::string& value)
{
    return value.empty() || value.find_first_of(" \t\n'\"\\") != std::string::npos;
}

bool isImage(DocumentKind kind)
{
    return kind == DocumentKind::Png || kind == DocumentKind::Jpeg;
}

// No chosen page is in the document: an empty file, which the layout reads as no sheet.
FilterOutcome nothingChosen(const std::string& sheetsPdf)
{
    std::ofstream(sheetsPdf, std::ios::trunc);
    return {true, false, false, {}};
}

} // namespace

std::vector<CupsFilterChain::Step> CupsFilterChain::stepsFor(DocumentKind kind)
{
    switch (kind) {
    case DocumentKind::Pdf:
        return {{"pdftopdf", "application/pdf"}};
    case DocumentKind::PostScript:
        return {{"gstopdf", "application/postscript"}, {"pdftopdf", "application/pdf"}};
    case DocumentKind::Text:
        return {{"texttopdf", "text/plain"}, {"pdftopdf", "application/pdf"}};
    case DocumentKind::Png:
        return {{"imagetopdf", "image/png"}};
    case DocumentKind::Jpeg:
        return {{"imagetopdf", "image/jpeg"}};
    default:
        return {};
    }
}

std::string CupsFilterChain::encodeOptions(const OptionMap& options)
{
    std::string result;
    for (const auto& [name, value] : options) {
        if (name.empty() || name.find_first_of(" \t\n='\"\\") != std::string::npos) continue;
        if (!result.empty()) result += ' ';
        result += name + '=';
        if (!needsQuotes(value)) {
            result += value;
            continue;
        }
        result += '\'';
        for (char c : value) {
            if (c == '\'' || c == '\\') result += '\\';
            result += c;
        }
        result += '\'';
    }
    return result;
}

FilterOutcome CupsFilterChain::runFilter(const std::string& filter, const std::string& contentType,
    const std::string& input, const std::string& output, const std::string& options,
    const std::atomic<bool>* cancel) const
{
    Command command;
    command.argv = {setup_.tools.cupsServerBin + "/filter/" + filter, "1", "preview", "preview", "1", options, input};
    command.environment = {"PATH=/usr/bin:/bin", "LC_ALL=C.UTF-8", "CHARSET=utf-8", "PPD=" + setup_.ppdPath,
        "CONTENT_TYPE=" + contentType, "FINAL_CONTENT_TYPE=application/vnd.cups-postscript", "PRINTER=preview",
        "CUPS_SERVERBIN=" + setup_.tools.cupsServerBin, "CUPS_DATADIR=" + setup_.tools.cupsDataDir,
        "CUPS_SERVERROOT=/etc/cups", "TMPDIR=" + output.substr(0, output.find_last_of('/'))};
    command.standardOutput = output;
    command.limit = setup_.timeLimit;
    command.cancel = cancel;
    const RunResult run = Subprocess::run(command);
    FilterOutcome outcome;
    outcome.ok = run.succeeded();
    outcome.timedOut = run.end == RunResult::End::TimedOut;
    outcome.cancelled = run.end == RunResult::End::Cancelled;
    if (!outcome.ok) outcome.reason = run.end == RunResult::End::NotStarted ? run.errors : lastError(run.errors);
    return outcome;
}

FilterOutcome CupsFilterChain::runSteps(const std::vector<Step>& steps, const std::string& document,
    const OptionMap& options, const std::string& output, const std::atomic<bool>* cancel) const
{
    const std::string encoded = encodeOptions(options);
    std::string input = document;
    for (size_t i = 0; i < steps.size(); ++i) {
        const bool last = i + 1 == steps.size();
        const std::string stepOutput = last ? output : output + ".step" + std::to_string(i);
        FilterOutcome outcome = runFilter(steps[i].filter, steps[i].contentType, input, stepOutput, encoded, cancel);
        if (!outcome.ok) return outcome;
        input = stepOutput;
    }
    return {true, false, false, {}};
}

FilterOutcome CupsFilterChain::toPdf(const std::string& document, DocumentKind kind, const OptionMap& options,
    const std::string& pdf, std::string* made, const std::atomic<bool>* cancel) const
{
    std::vector<Step> steps = stepsFor(kind);
    if (steps.empty() || isImage(kind)) return {false, false, false, "not a kind of document that makes pages"};
    steps.pop_back();
    *made = steps.empty() ? document : pdf;
    return steps.empty() ? FilterOutcome{true, false, false, {}} : runSteps(steps, document, options, pdf, cancel);
}

FilterOutcome CupsFilterChain::layOutChosen(const std::string& document, DocumentKind kind, const OptionMap& options,
    const std::string& sheetsPdf, const std::atomic<bool>* cancel) const
{
    const std::string& list = options.at("page-ranges");
    const OptionMap rest = ChosenPages::withoutRanges(options);
    const Step layout = stepsFor(kind).back();
    if (isImage(kind))
        return ChosenPages::qpdfRanges(list, 1).empty() ? nothingChosen(sheetsPdf)
                                                        : runSteps({layout}, document, rest, sheetsPdf, cancel);
    std::string pdf;
    FilterOutcome outcome = toPdf(document, kind, rest, sheetsPdf + ".pdf", &pdf, cancel);
    if (!outcome.ok) return outcome;
    Command limits;
    limits.limit = setup_.timeLimit;
    limits.cancel = cancel;
    const std::string chosen = sheetsPdf + ".chosen";
    std::optional<int> pages = ChosenPages::pick(setup_.tools, pdf, list, chosen, limits, &outcome.reason);
    if (!pages) {
        outcome.cancelled = cancel && cancel->load();
        return outcome;
    }
    if (*pages == 0) return nothingChosen(sheetsPdf);
    return runSteps({layout}, chosen, rest, sheetsPdf, cancel);
}

FilterOutcome CupsFilterChain::layOut(const std::string& document, DocumentKind kind, const OptionMap& options,
    const std::string& sheetsPdf, const std::atomic<bool>* cancel) const
{
    const std::vector<Step> steps = stepsFor(kind);
    if (steps.empty()) return {false, false, false, "not a kind of document CUPS prints"};
    if (ChosenPages::needed(options)) return layOutChosen(document, kind, options, sheetsPdf, cancel);
    return runSteps(steps, document, options, sheetsPdf, cancel);
}

} // namespace host::preview
