// SPDX-License-Identifier: Apache-2.0
// Connecting to the CUPS server, and the time limit of its requests.
#include "host/CupsConnection.h"

#include "host/Translate.h"

#include <cerrno>
#include <cstring>

namespace host {
namespace {

// How often a waiting request looks at its deadline; libcups calls keepWaiting after each such pause.
constexpr double kPollSeconds = 0.25;

} // namespace

std::string cupsServerName()
{
    std::string server = cupsServer();
    if (!server.empty() && server[0] == '/') return server;
    return server + ":" + std::to_string(ippPort());
}

std::unique_ptr<CupsConnection> CupsConnection::open(int limitSeconds, std::string* error, int* cancel)
{
    // Made first and connected apart, so that the reason of a failed connection can still be read.
    http_t* http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, 0, nullptr);
    if (!http) {
        if (error) *error = trf("cannot reach the CUPS server {1}: {2}", {cupsServerName(), cupsLastErrorString()});
        return nullptr;
    }
    std::unique_ptr<CupsConnection> connection(new CupsConnection(http, limitSeconds, cancel));
    if (httpReconnect2(http, limitSeconds * 1000, cancel) != 0) {
        // libcups reports every address that refused or timed out as EHOSTDOWN, which would mislead.
        int reason = httpError(http);
        if (error)
            *error = trf("cannot connect to the CUPS server {1}", {cupsServerName()}) +
                (reason && reason != EHOSTDOWN ? std::string(": ") + std::strerror(reason) : std::string());
        return nullptr;
    }
    httpSetTimeout(http, kPollSeconds, &CupsConnection::keepWaiting, connection.get());
    connection->startRequest();
    return connection;
}

CupsConnection::~CupsConnection()
{
    httpClose(http_);
}

void CupsConnection::startRequest()
{
    deadline_ = std::chrono::steady_clock::now() + std::chrono::seconds(limitSeconds_);
}

int CupsConnection::keepWaiting(http_t*, void* self)
{
    auto* connection = static_cast<CupsConnection*>(self);
    if (connection->cancel_ && *connection->cancel_) return 0;
    if (std::chrono::steady_clock::now() < connection->deadline_) return 1;
    connection->timedOut_ = true;
    return 0;
}

std::string CupsConnection::reason(const std::string& fallback) const
{
    if (!timedOut_) return fallback;
    return trf("the CUPS server at {1} did not answer within {2} s", {cupsServerName(), std::to_string(limitSeconds_)});
}

std::string CupsConnection::failure() const
{
    if (timedOut_) return reason("");
    if (const int error = httpError(http_); error != 0) return std::strerror(error);
    // A connection that the server ended, libcups words as strerror(0): "Success".
    const std::string said = cupsLastErrorString();
    if (cupsLastError() > IPP_STATUS_OK_EVENTS_COMPLETE && said != std::strerror(0)) return said;
    return trf("the CUPS server {1} closed the connection", {cupsServerName()});
}

} // namespace host
