// SPDX-License-Identifier: Apache-2.0
// A connection to the CUPS server of the environment (CUPS_SERVER, client.conf, or the local
// scheduler), as lp finds it, where every request has a time limit.
#pragma once

#include <cups/cups.h>

#include <chrono>
#include <memory>
#include <string>

namespace host {

class CupsConnection {
public:
    // Connects within the limit; null and a one-line reason when the server cannot be reached. While
    // *cancel (when given; it must outlive the connection) is non-zero, the connection and every
    // request on it give up within a quarter of a second.
    static std::unique_ptr<CupsConnection> open(int limitSeconds, std::string* error, int* cancel = nullptr);
    ~CupsConnection();
    CupsConnection(const CupsConnection&) = delete;
    CupsConnection& operator=(const CupsConnection&) = delete;

    http_t* get() const { return http_; }
    // Call before each request: the server then has the limit to answer it.
    void startRequest();
    // True once a request was given up because the server did not answer in time.
    bool timedOut() const { return timedOut_; }
    // "the CUPS server at HOST did not answer within N s" when a request timed out, else fallback.
    std::string reason(const std::string& fallback) const;
    // Why the last request on this connection failed: the time limit, the connection's own error
    // (the server went away while a document streamed), or the server's answer.
    std::string failure() const;

private:
    CupsConnection(http_t* http, int limitSeconds, int* cancel)
        : http_(http), limitSeconds_(limitSeconds), cancel_(cancel)
    {
    }
    static int keepWaiting(http_t* http, void* self);

    http_t* http_;
    int limitSeconds_;
    int* cancel_;
    std::chrono::steady_clock::time_point deadline_;
    bool timedOut_ = false;
};

// "127.0.0.1:631" or the path of the local socket, for messages.
std::string cupsServerName();

} // namespace host
