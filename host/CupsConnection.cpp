// Connecting to the CUPS server.
#include "host/CupsConnection.h"

#include <cerrno>
#include <cstring>

namespace host {
namespace {

constexpr int kConnectMilliseconds = 10000;
// A request that gets no answer for this long is given up rather than waited on for ever.
constexpr double kAnswerSeconds = 30.0;

int giveUp(http_t*, void*) { return 0; }

} // namespace

std::string cupsServerName()
{
    std::string server = cupsServer();
    if (!server.empty() && server[0] == '/') return server;
    return server + ":" + std::to_string(ippPort());
}

CupsConnection connectToCups(std::string* error)
{
    // Made first and connected apart, so that the reason of a failed connection can still be read.
    CupsConnection http(httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, 0, nullptr));
    if (!http) {
        if (error) *error = "cannot reach the CUPS server " + cupsServerName() + ": " + cupsLastErrorString();
        return nullptr;
    }
    if (httpReconnect2(http.get(), kConnectMilliseconds, nullptr) != 0) {
        // libcups reports every address that refused or timed out as EHOSTDOWN, which would mislead.
        int reason = httpError(http.get());
        if (error)
            *error = "cannot connect to the CUPS server " + cupsServerName() +
                     (reason && reason != EHOSTDOWN ? std::string(": ") + std::strerror(reason) : std::string());
        return nullptr;
    }
    httpSetTimeout(http.get(), kAnswerSeconds, giveUp, nullptr);
    return http;
}

} // namespace host
