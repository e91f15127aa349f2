// SPDX-License-Identifier: Apache-2.0
// A document is known by its path, size, change time and inode, so an edited file is laid out anew.
#include "host/preview/JobLayout.h"

#include "host/Translate.h"
#include "host/preview/DocumentKind.h"

#include <functional>
#include <sys/stat.h>

namespace host::preview {
namespace {

const char* const kNotLayout[] = {
    "copies", "collate", "job-name", "job-hold-until", "job-priority", "job-sheets", "outputorder", "OutputOrder"};

std::string identity(const std::string& path)
{
    struct stat info { };
    if (::stat(path.c_str(), &info) != 0) return path;
    return path + '|' + std::to_string(info.st_size) + '|' + std::to_string(info.st_mtim.tv_sec) + '.' +
        std::to_string(info.st_mtim.tv_nsec) + '|' + std::to_string(info.st_ino);
}

std::string titleOf(const Document& document)
{
    if (!document.title.empty()) return document.title;
    const size_t slash = document.path.find_last_of('/');
    return slash == std::string::npos ? document.path : document.path.substr(slash + 1);
}

// Why a document gives no sheet, before any filter runs; empty when the filters may try it.
std::string refusal(DocumentKind kind, const std::string& title)
{
    switch (kind) {
    case DocumentKind::Unreadable:
        return trf("{1} cannot be read.", {title});
    case DocumentKind::Empty:
        return trf("{1} is empty: there is nothing to show.", {title});
    case DocumentKind::Unknown:
        return trf("{1} is not a document the preview shows (PDF, PostScript, PNG, JPEG or text).", {title});
    default:
        return {};
    }
}

// A filter's message names the file it was handed (for the job's documents /proc/PID/fd/N); a person
// knows the document by its title.
std::string inTermsOf(std::string reason, const std::string& path, const std::string& title)
{
    for (size_t at = reason.find(path); !path.empty() && at != std::string::npos;
         at = reason.find(path, at + title.size()))
        reason.replace(at, path.size(), title);
    return reason;
}

bool emptyFile(const std::string& path)
{
    struct stat info { };
    return ::stat(path.c_str(), &info) != 0 || info.st_size == 0;
}

} // namespace

JobLayout::JobLayout(const PreviewSetup& setup, std::string workFolder)
    : setup_(setup), folder_(std::move(workFolder)), filters_(setup)
{
}

OptionMap JobLayout::layoutOptions(const OptionMap& options)
{
    OptionMap result = options;
    for (const char* name : kNotLayout) result.erase(name);
    return result;
}

JobLayout::Laid JobLayout::layOutDocument(
    const Document& document, const OptionMap& options, const std::atomic<bool>* cancel)
{
    const std::string title = titleOf(document);
    const DocumentKind kind = DocumentKinds::detect(document.path);
    if (std::string why = refusal(kind, title); !why.empty()) return {{}, why};
    const std::string key = identity(document.path) + '\n' + CupsFilterChain::encodeOptions(options);
    const std::string name = "sheets-" + std::to_string(std::hash<std::string>{}(key)) + ".pdf";
    const std::string pdf = folder_ + "/" + name;
    ++runs_;
    const FilterOutcome outcome = filters_.layOut(document.path, kind, options, pdf, cancel);
    const std::string seconds = std::to_string((setup_.timeLimit.count() + 999) / 1000);
    if (outcome.cancelled) return {{}, {}};
    if (outcome.timedOut)
        return {{},
            trf("{1}: no result within {2} s; the preview stopped it. Print still sends it as it is.",
                {title, seconds})};
    if (!outcome.ok)
        return {{},
            trf("{1} cannot be shown ({2}). Print still sends it as it is.",
                {title, inTermsOf(outcome.reason, document.path, title)})};
    if (emptyFile(pdf)) return {{}, trf("{1}: these options leave no page to print.", {title})};
    Command limits;
    limits.limit = setup_.timeLimit;
    limits.cancel = cancel;
    std::string error;
    const auto pages = PdfPages::read(setup_.tools.pdfinfo, pdf, limits, &error);
    if (!pages) return {{}, trf("{1} cannot be shown ({2}). Print still sends it as it is.", {title, error})};
    Laid laid;
    for (size_t p = 0; p < pages->size(); ++p)
        laid.sheets.push_back({name, static_cast<int>(p) + 1, (*pages)[p], title});
    if (laid.sheets.empty()) laid.note = trf("{1}: these options leave no page to print.", {title});
    return laid;
}

JobSheets JobLayout::layOut(
    const std::vector<Document>& documents, const OptionMap& options, const std::atomic<bool>* cancel)
{
    JobSheets result;
    const OptionMap layout = layoutOptions(options);
    for (const Document& document : documents) {
        const std::string key =
            identity(document.path) + '\n' + titleOf(document) + '\n' + CupsFilterChain::encodeOptions(layout);
        const Laid* laid = laid_.find(key);
        if (!laid) {
            Laid fresh = layOutDocument(document, layout, cancel);
            if (cancel && cancel->load()) {
                result.cancelled = true;
                return result;
            }
            laid = &laid_.put(key, std::move(fresh));
        }
        result.sheets.insert(result.sheets.end(), laid->sheets.begin(), laid->sheets.end());
        if (!laid->note.empty()) result.notes.push_back(laid->note);
    }
    return result;
}

} // namespace host::preview
