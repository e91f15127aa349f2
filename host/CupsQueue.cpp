// SPDX-License-Identifier: Apache-2.0
// A destination of the CUPS server as the dialog's printer: the queue name as its ID, the device URI
// the server reports, the destination's options (queue defaults and lpoptions), and the queue's PPD
// fetched into a temporary file.
#include "host/CupsConnection.h"
#include "host/CupsDestinations.h"
#include "host/CupsPassword.h"
#include "host/PrinterSource.h"
#include "host/Translate.h"

#include <cups/ppd.h>

#include <unistd.h>

// cupsGetPPD3 sits in libcups' deprecated PPD API, the one way to have a queue's PPD as a file.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace host {
namespace {

struct IppFree {
    void operator()(ipp_t* ipp) const { ippDelete(ipp); }
};

// Asks the server about the queue, so that a missing queue is told apart from a server that cannot
// answer, and keeps its attributes. Empty when the queue is there.
std::string askForQueue(CupsConnection& http, const std::string& queue, QueueAttributes& attributes)
{
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(
        HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(), "/printers/%s", queue.c_str());
    ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr, "all");
    http.startRequest();
    std::unique_ptr<ipp_t, IppFree> response(cupsDoRequest(http.get(), request, "/"));
    if (http.timedOut()) return http.reason("");
    if (cupsLastError() == IPP_STATUS_ERROR_NOT_FOUND)
        return trf("no CUPS queue named {1} on {2}", {queue, cupsServerName()});
    if (!response || cupsLastError() > IPP_STATUS_OK_EVENTS_COMPLETE)
        return trf("cannot look up CUPS queue {1} on {2}: {3}", {queue, cupsServerName(), cupsLastErrorString()});
    attributes = QueueAttributes::fromResponse(response.get());
    return {};
}

} // namespace

std::optional<PrinterChoice> cupsQueuePrinter(
    const std::string& destination, int limitSeconds, std::string* error, int* cancel)
{
    auto fail = [error](std::string reason) -> std::optional<PrinterChoice> {
        if (error) *error = std::move(reason);
        return std::nullopt;
    };
    const size_t slash = destination.find('/');
    const std::string queue = destination.substr(0, slash);
    const std::string instance = slash == std::string::npos ? std::string() : destination.substr(slash + 1);
    if (queue.empty()) return fail(tr("the queue name is empty"));
    CupsPassword::forget();
    auto http = CupsConnection::open(limitSeconds, error, cancel);
    if (!http) return std::nullopt;
    PrinterChoice choice;
    if (std::string reason = askForQueue(*http, queue, choice.queue); !reason.empty()) return fail(reason);

    // With the user's and the system's lpoptions merged in, as lp sees the destination. Every request
    // goes over our connection: cupsGetNamedDest, when its own request fails, searches on connections
    // of its own that no limit bounds, so a server that answered once and then fell silent would keep
    // the dialog waiting.
    http->startRequest();
    const CupsDestinations destinations(http->get());
    const cups_dest_t* dest = destinations.find(queue, instance);
    if (!dest && !instance.empty() && !http->timedOut())
        return fail(trf("CUPS queue {1} has no instance {2} (lpoptions -p {1}/{2} makes one)", {queue, instance}));
    if (!dest)
        return fail(http->reason(
            trf("cannot look up CUPS queue {1} on {2}: {3}", {queue, cupsServerName(), cupsLastErrorString()})));
    // The server's own spelling of the name, whatever case the user typed.
    const std::string name = dest->name;

    char path[1024] = "";
    time_t modified = 0;
    http->startRequest();
    http_status_t status = cupsGetPPD3(http->get(), name.c_str(), &modified, path, sizeof path);
    if (status != HTTP_STATUS_OK) {
        if (path[0]) ::unlink(path);
        if (CupsPassword::asked()) return fail(passwordRefusal(name));
        if (status == HTTP_STATUS_NOT_FOUND && !http->timedOut()) return fail(trf("CUPS queue {1} has no PPD", {name}));
        return fail(http->reason(trf("cannot fetch the PPD of CUPS queue {1}: {2}", {name, cupsLastErrorString()})));
    }

    choice.queueName = name;
    choice.instance = dest->instance ? dest->instance : "";
    for (int i = 0; i < dest->num_options; ++i)
        choice.defaults.emplace_back(dest->options[i].name, dest->options[i].value);
    // CUPS hands out the device URI without any user name or password it holds.
    std::optional<std::string> deviceURI;
    if (const char* uri = cupsGetOption("device-uri", dest->num_options, dest->options); uri && *uri) deviceURI = uri;
    choice.ppdPath = path;
    choice.ppdIsTemporary = true;
    choice.printer = std::make_shared<pm::Printer>(name, deviceURI);
    return choice;
}

} // namespace host
