// SPDX-License-Identifier: Apache-2.0
// Child processes for end-to-end tests.
#include "support/Process.h"

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace testproc {

Result run(const std::vector<std::string>& argv, const std::string& input, const std::vector<std::string>& environment,
    int timeoutSeconds)
{
    Result result;
    int in[2], out[2], err[2];
    if (::pipe2(in, O_CLOEXEC) || ::pipe2(out, O_CLOEXEC) || ::pipe2(err, O_CLOEXEC)) return result;
    pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(in[0], 0);
        ::dup2(out[1], 1);
        ::dup2(err[1], 2);
        for (const auto& entry : environment) ::putenv(const_cast<char*>(entry.c_str()));
        std::vector<char*> args;
        for (const auto& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
        args.push_back(nullptr);
        ::execv(args[0], args.data());
        ::_exit(127);
    }
    ::close(in[0]);
    ::close(out[1]);
    ::close(err[1]);
    ::signal(SIGPIPE, SIG_IGN);
    size_t written = 0;
    if (input.empty()) {
        ::close(in[1]);
        in[1] = -1;
    }
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeoutSeconds);
    bool outOpen = true, errOpen = true;
    while (outOpen || errOpen) {
        std::vector<pollfd> fds;
        if (outOpen) fds.push_back({out[0], POLLIN, 0});
        if (errOpen) fds.push_back({err[0], POLLIN, 0});
        if (in[1] >= 0) fds.push_back({in[1], POLLOUT, 0});
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            ::kill(pid, SIGKILL);
            break;
        }
        if (::poll(fds.data(), fds.size(), static_cast<int>(left.count())) < 0 && errno != EINTR) break;
        for (const auto& fd : fds) {
            if (!fd.revents) continue;
            if (fd.fd == in[1]) {
                ssize_t n = ::write(in[1], input.data() + written, input.size() - written);
                if (n > 0) written += static_cast<size_t>(n);
                if (n <= 0 || written == input.size()) {
                    ::close(in[1]);
                    in[1] = -1;
                }
                continue;
            }
            char buffer[4096];
            ssize_t n = ::read(fd.fd, buffer, sizeof buffer);
            std::string& sink = fd.fd == out[0] ? result.out : result.err;
            if (n > 0) {
                sink.append(buffer, static_cast<size_t>(n));
            } else {
                (fd.fd == out[0] ? outOpen : errOpen) = false;
            }
        }
    }
    if (in[1] >= 0) ::close(in[1]);
    ::close(out[0]);
    ::close(err[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

std::vector<std::string> jsonLines(const std::string& out)
{
    std::vector<std::string> lines;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);)
        if (!line.empty() && line[0] == '{') lines.push_back(line);
    return lines;
}

} // namespace testproc
