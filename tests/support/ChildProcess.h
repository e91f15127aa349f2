// SPDX-License-Identifier: Apache-2.0
// A background peer for end-to-end tests (snmpd, cupsd, a scripted agent): started with its output in
// a log file, outside the test's nss_wrapper sandbox, and stopped within a bound when it goes or when
// the test process dies.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace testproc {

class ChildProcess {
public:
    ChildProcess() = default;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    ~ChildProcess() { stop(); }

    // Runs argv (a path, or a name looked up in PATH) with standard output and error in logPath.
    // LD_PRELOAD and the sandbox's NSS_WRAPPER_ variables are not passed on (peers look users up in
    // the system's files); `extraEnvironment` entries ("NAME=value") are added.
    bool start(const std::vector<std::string>& argv, const std::string& logPath,
        const std::vector<std::string>& extraEnvironment = {});
    // SIGTERM, then SIGKILL after a few seconds.
    void stop();
    // SIGKILL at once: the process ends as if it crashed.
    void kill();
    bool running() const { return pid_ > 0; }
    // True once the process has ended on its own (it is then reaped).
    bool exited();

private:
    pid_t pid_ = -1;
};

// A port on 127.0.0.1 that nothing uses at the moment, for a socket of that type (SOCK_STREAM or
// SOCK_DGRAM); -1 when none can be had.
int freeLoopbackPort(int socketType);

} // namespace testproc
