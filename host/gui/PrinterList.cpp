// SPDX-License-Identifier: Apache-2.0
// CUPS destinations through libcups on a connection of our own, as lp finds them.
#include "host/gui/PrinterList.h"

#include "host/CupsConnection.h"
#include "host/Translate.h"

#include <cups/cups.h>

#include <memory>
#include <sstream>

namespace host {
namespace {

// The server's destinations, freed together.
class Destinations {
public:
    explicit Destinations(http_t* http) : count_(cupsGetDests2(http, &dests_)) { }
    ~Destinations() { cupsFreeDests(count_, dests_); }
    Destinations(const Destinations&) = delete;
    Destinations& operator=(const Destinations&) = delete;

    const cups_dest_t* begin() const { return dests_; }
    const cups_dest_t* end() const { return dests_ + (count_ > 0 ? count_ : 0); }

private:
    cups_dest_t* dests_ = nullptr;
    int count_;
};

std::string option(const cups_dest_t& dest, const char* name)
{
    const char* value = cupsGetOption(name, dest.num_options, dest.options);
    return value ? value : "";
}

PrinterEntry entryOf(const cups_dest_t& dest)
{
    PrinterEntry entry;
    entry.queue = dest.name;
    if (dest.instance) entry.instance = dest.instance;
    entry.title = entry.destination();
    entry.location = option(dest, "printer-location");
    entry.isDefault = dest.is_default != 0;
    const std::string state = option(dest, "printer-state");
    if (state == std::to_string(IPP_PSTATE_PROCESSING)) entry.state = PrinterEntry::State::Processing;
    if (state == std::to_string(IPP_PSTATE_STOPPED)) entry.state = PrinterEntry::State::Stopped;
    std::istringstream reasons(option(dest, "printer-state-reasons"));
    for (std::string reason; std::getline(reasons, reason, ',');)
        if (!reason.empty() && reason != "none") entry.reasons.push_back(reason);
    return entry;
}

} // namespace

std::string PrinterEntry::destination() const
{
    if (!queue) return {};
    return instance ? *queue + "/" + *instance : *queue;
}

PrinterListing cupsPrinters(int limitSeconds, int* cancel)
{
    PrinterListing listing;
    std::string error;
    auto http = CupsConnection::open(limitSeconds, &error, cancel);
    if (!http) {
        listing.error = error;
        return listing;
    }
    http->startRequest();
    const Destinations destinations(http->get());
    if (http->timedOut() || (cancel && *cancel)) {
        listing.error = http->reason("");
        return listing;
    }
    for (const cups_dest_t& dest : destinations) {
        // Instances join the chooser with the presets; the queues come first.
        if (dest.instance) continue;
        PrinterEntry entry = entryOf(dest);
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
    static const char* const wanted[] = {"printer-location", "printer-state", "printer-state-reasons"};
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 3, nullptr, wanted);
    http->startRequest();
    std::unique_ptr<ipp_t, void (*)(ipp_t*)> response(cupsDoRequest(http->get(), request, "/"), ippDelete);
    if (!response || cupsLastError() > IPP_STATUS_OK_EVENTS_COMPLETE) return std::nullopt;
    PrinterEntry entry;
    entry.queue = queue;
    entry.title = queue;
    if (ipp_attribute_t* location = ippFindAttribute(response.get(), "printer-location", IPP_TAG_TEXT))
        entry.location = ippGetString(location, 0, nullptr);
    if (ipp_attribute_t* state = ippFindAttribute(response.get(), "printer-state", IPP_TAG_ENUM)) {
        if (ippGetInteger(state, 0) == IPP_PSTATE_PROCESSING) entry.state = PrinterEntry::State::Processing;
        if (ippGetInteger(state, 0) == IPP_PSTATE_STOPPED) entry.state = PrinterEntry::State::Stopped;
    }
    ipp_attribute_t* reasons = ippFindAttribute(response.get(), "printer-state-reasons", IPP_TAG_KEYWORD);
    for (int i = 0; reasons && i < ippGetCount(reasons); ++i)
        if (const char* reason = ippGetString(reasons, i, nullptr); reason && std::string(reason) != "none")
            entry.reasons.push_back(reason);
    return entry;
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
