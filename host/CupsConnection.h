// A connection to the CUPS server of the environment (CUPS_SERVER, client.conf, or the local
// scheduler), as lp finds it, with bounded waits.
#pragma once

#include <cups/cups.h>

#include <memory>
#include <string>

namespace host {

struct HttpCloser {
    void operator()(http_t* http) const { httpClose(http); }
};
using CupsConnection = std::unique_ptr<http_t, HttpCloser>;

// Null and a one-line reason when the server cannot be reached.
CupsConnection connectToCups(std::string* error);
// "127.0.0.1:631" or the path of the local socket, for messages.
std::string cupsServerName();

} // namespace host
