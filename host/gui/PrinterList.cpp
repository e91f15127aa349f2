// SPDX-License-Identifier: Apache-2.0
// CUPS destinations through libcups on a connection of our own, as lp finds them.
#include "host/gui/PrinterList.h"

#include "host/CupsConnection.h"
#include "host/Translate.h"

#include <cups/cups.h>

#include <iterator>
#include <memory>

namespace host {
namespace {

using IppResponse = std::unique_ptr<ipp_t, void (*)(ipp_t*)>;

// What the chooser shows of a queue; asking for no more keeps a list of 1,000 queues quick to send.
const char* const kWanted[] = {"printer-name", "printer-location", "printer-state", "printer-state-reasons"};

// Sets the entry's field that the attribute holds, if any.
void take(PrinterEntry& entry, ipp_attribute_t* attribute)
{
    const std::string name = ippGetName(attribute);
    if (name == "printer-name") {
        entry.queue = ippGetString(attribute, 0, nullptr);
        entry.title = *entry.queue;
    } else if (name == "printer-location") {
        entry.location = ippGetString(attribute, 0, nullptr);
    } else if (name == "printer-state") {
        if (ippGetInteger(attribute, 0) == IPP_PSTATE_PROCESSING) entry.state = PrinterEntry::State::Processing;
        if (ippGetInteger(attribute, 0) == IPP_PSTATE_STOPPED) entry.state = PrinterEntry::State::Stopped;
    } else if (name == "printer-state-reasons") {
        for (int i = 0; i < ippGetCount(attribute); ++i)
            if (const char* reason = ippGetString(attribute, i, nullptr); reason && std::string(reason) != "none")
                entry.reasons.push_back(reason);
    }
}

// One entry for each printer group of the response, in the server's order.
std::vector<PrinterEntry> entriesOf(ipp_t* response)
{
    std::vector<PrinterEntry> entries;
    PrinterEntry entry;
    auto finish = [&] {
        if (entry.queue) entries.push_back(std::move(entry));
        entry = PrinterEntry();
    };
    for (ipp_attribute_t* attribute = ippFirstAttribute(response); attribute; attribute = ippNextAttribute(response)) {
        if (!ippGetName(attribute))
            finish(); // the separator between two printers
        else if (ippGetGroupTag(attribute) == IPP_TAG_PRINTER)
            take(entry, attribute);
    }
    finish();
    return entries;
}

IppResponse ask(CupsConnection& http, ipp_t* request)
{
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
        static_cast<int>(std::size(kWanted)), nullptr, kWanted);
    http.startRequest();
    IppResponse response(cupsDoRequest(http.get(), request, "/"), ippDelete);
    if (cupsLastError() > IPP_STATUS_OK_EVENTS_COMPLETE) response.reset();
    return response;
}

} // namespace

std::string PrinterEntry::destination() const
{
    if (!queue) return {};
    return instance ? *queue + "/" + *instance : *queue;
}

// The server's queues, by one CUPS-Get-Printers of the few attributes shown. cupsGetDests2 would also
// browse the network for printers that are no queue (which the dialog cannot open) for a quarter of a
// second; instances come with the presets.
PrinterListing cupsPrinters(int limitSeconds, int* cancel)
{
    PrinterListing listing;
    std::string error;
    auto http = CupsConnection::open(limitSeconds, &error, cancel);
    if (!http) {
        listing.error = error;
        return listing;
    }
    IppResponse response = ask(*http, ippNewRequest(IPP_OP_CUPS_GET_PRINTERS));
    if (!response || http->timedOut() || (cancel && *cancel)) {
        if (!response && !http->timedOut() && cupsLastError() == IPP_STATUS_ERROR_NOT_FOUND) return listing;
        listing.error =
            http->reason(trf("cannot list the CUPS queues on {1}: {2}", {cupsServerName(), cupsLastErrorString()}));
        return listing;
    }
    // The user's default (LPDEST, PRINTER, lpoptions) before the server's, as lp chooses it.
    http->startRequest();
    const char* defaultQueue = cupsGetDefault2(http->get());
    const std::string byDefault = defaultQueue ? defaultQueue : "";
    for (PrinterEntry& entry : entriesOf(response.get())) {
        entry.isDefault = *entry.queue == byDefault.substr(0, byDefault.find('/'));
        auto at = entry.isDefault ? listing.printers.begin() : listing.printers.end();
        listing.printers.insert(at, std::move(entry));
    }
    return listing;
}

std::optional<PrinterEntry> cupsPrinter(const std::string& queue, int limitSeconds)
{
    auto http = CupsConnection::open(limitSeconds, nullptr);
    if (!http) return std::nullopt;
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(
        HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(), "/printers/%s", queue.c_str());
    ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    IppResponse response = ask(*http, request);
    if (!response) return std::nullopt;
    std::vector<PrinterEntry> entries = entriesOf(response.get());
    if (entries.empty()) return std::nullopt;
    entries.front().queue = entries.front().title = queue;
    return entries.front();
}

std::string reasonWords(const std::string& keyword)
{
    std::string words = keyword;
    for (const char* suffix : {"-error", "-warning", "-report"}) {
        const std::string end = suffix;
        if (words.size() > end.size() && words.compare(words.size() - end.size(), end.size(), end) == 0) {
            words.resize(words.size() - end.size());
            break;
        }
    }
    for (char& c : words)
        if (c == '-') c = ' ';
    return tr(words.c_str()); // the common ones have words in the catalogue
}

std::string stateWords(const PrinterEntry& entry)
{
    using State = PrinterEntry::State;
    std::string words = entry.state == State::Stopped ? tr("Stopped")
        : entry.state == State::Processing            ? tr("Printing")
                                                      : tr("Idle");
    for (size_t i = 0; i < entry.reasons.size(); ++i) words += (i == 0 ? ": " : ", ") + reasonWords(entry.reasons[i]);
    return words;
}

} // namespace host
