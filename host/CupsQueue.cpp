// A destination of the CUPS server as the dialog's printer: the queue name as its ID, the device URI
// the server reports, and the queue's PPD fetched into a temporary file.
#include "host/CupsConnection.h"
#include "host/PrinterSource.h"

#include <cups/ppd.h>

#include <unistd.h>

// cupsGetPPD3 sits in libcups' deprecated PPD API, the one way to have a queue's PPD as a file.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace host {
namespace {

struct DestFree {
    void operator()(cups_dest_t* dest) const { cupsFreeDests(1, dest); }
};

} // namespace

std::optional<PrinterChoice> cupsQueuePrinter(const std::string& queue, std::string* error)
{
    auto fail = [error](std::string reason) -> std::optional<PrinterChoice> {
        if (error) *error = std::move(reason);
        return std::nullopt;
    };
    if (queue.empty()) return fail("the queue name is empty");
    CupsConnection http = connectToCups(error);
    if (!http) return std::nullopt;

    std::unique_ptr<cups_dest_t, DestFree> dest(cupsGetNamedDest(http.get(), queue.c_str(), nullptr));
    if (!dest) {
        if (cupsLastError() == IPP_STATUS_ERROR_NOT_FOUND)
            return fail("no CUPS queue named " + queue + " on " + cupsServerName());
        return fail("cannot look up CUPS queue " + queue + " on " + cupsServerName() + ": " + cupsLastErrorString());
    }
    // The server's own spelling of the name, whatever case the user typed.
    const std::string name = dest->name;

    char path[1024] = "";
    time_t modified = 0;
    http_status_t status = cupsGetPPD3(http.get(), name.c_str(), &modified, path, sizeof path);
    if (status != HTTP_STATUS_OK) {
        if (path[0]) ::unlink(path);
        if (status == HTTP_STATUS_NOT_FOUND) return fail("CUPS queue " + name + " has no PPD");
        return fail("cannot fetch the PPD of CUPS queue " + name + ": " + cupsLastErrorString());
    }

    // CUPS hands out the device URI without any user name or password it holds.
    std::optional<std::string> deviceURI;
    if (const char* uri = cupsGetOption("device-uri", dest->num_options, dest->options); uri && *uri)
        deviceURI = uri;

    PrinterChoice choice;
    choice.ppdPath = path;
    choice.ppdIsTemporary = true;
    choice.printer = std::make_shared<pm::Printer>(name, deviceURI);
    return choice;
}

} // namespace host
