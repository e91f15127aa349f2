// SPDX-License-Identifier: Apache-2.0
// Ghostscript kept running between sheets, as its interactive interpreter on a pipe: starting it and
// building its colour links is most of a sheet's cost, and what changes from one sheet to the next
// (the page, the size, the intents, the destination profiles) can be set on the running device. A
// page that fails, takes too long or is cancelled ends the process; the next page starts a new one.
#pragma once

#include "host/preview/ChildGroup.h"
#include "host/preview/Pipe.h"

#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace host::preview {

struct ServerOutcome {
    bool ok = false;
    bool timedOut = false;
    bool cancelled = false;
    std::string messages; // what Ghostscript printed while running the program
};

class GhostscriptServer {
public:
    // arguments: Ghostscript's command line without the program (device, colour management); the
    // process runs in `folder` with the environment given.
    GhostscriptServer(std::vector<std::string> arguments, std::vector<std::string> environment, std::string folder);
    ~GhostscriptServer();
    GhostscriptServer(const GhostscriptServer&) = delete;
    GhostscriptServer& operator=(const GhostscriptServer&) = delete;

    const std::vector<std::string>& arguments() const { return arguments_; }
    // How many programs the running process has finished well; 0 when none runs.
    int pages() const { return child_ ? pages_ : 0; }

    // Runs a line of PostScript (no newline in it), starting the process if it is not running.
    ServerOutcome run(const std::string& program, std::chrono::milliseconds limit, const std::atomic<bool>* cancel);
    // Starts the process now if it is not running, without waiting for it: it reads its start-up
    // files while the caller does other work. False and why when it cannot be started.
    bool start(std::string* error);

private:
    void stop();
    ServerOutcome await(int serial, std::chrono::milliseconds limit, const std::atomic<bool>* cancel);

    std::vector<std::string> arguments_;
    std::vector<std::string> environment_;
    std::string folder_;
    std::unique_ptr<ChildGroup> child_;
    Fd input_, output_;
    int serial_ = 0;
    int pages_ = 0;
};

} // namespace host::preview
