// SPDX-License-Identifier: Apache-2.0
// Runs a helper program (a CUPS filter, Ghostscript, pdfinfo) in a process group of its own, with a
// time limit after which the whole group is killed, so that no document can hang the preview.
#pragma once

#include <atomic>
#include <chrono>
#include <string>
#include <vector>

namespace host::preview {

struct Command {
    std::vector<std::string> argv;        // argv[0] is the program's path
    std::vector<std::string> environment; // the child's whole environment, "NAME=value"
    std::string workingDirectory;         // empty: the caller's
    std::string standardInput;            // a file to read from; empty: /dev/null
    std::string standardOutput;           // a file to write (truncated); empty: kept in memory
    std::chrono::milliseconds limit{4000};
    // Polled while the child runs; when it turns true the group is killed as at the time limit.
    const std::atomic<bool>* cancel = nullptr;
};

struct RunResult {
    enum class End { Exited, Signalled, TimedOut, Cancelled, NotStarted };
    End end = End::NotStarted;
    int status = -1;    // the exit status when it exited
    std::string output; // standard output when no file was named (at most kOutputLimit bytes)
    std::string errors; // the last kErrorLimit bytes of standard error
    bool succeeded() const { return end == End::Exited && status == 0; }
};

class Subprocess {
public:
    static constexpr size_t kOutputLimit = 1 << 20;
    static constexpr size_t kErrorLimit = 16 << 10;

    // Starts the command and waits for it. Never throws; a program that cannot be started ends as
    // NotStarted with the reason in errors. Any process the child left in its group is killed too.
    static RunResult run(const Command& command);
};

} // namespace host::preview
