// SPDX-License-Identifier: Apache-2.0
// posix_spawn, because the window's threads may run beside a render: nothing but exec happens in the
// child. The child leads a new process group, so helpers that start helpers (gstopdf starts
// Ghostscript) end with it.
#include "host/preview/Subprocess.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

namespace host::preview {
namespace {

using Clock = std::chrono::steady_clock;

// Pipe ends that close themselves.
class Fd {
public:
    Fd() = default;
    explicit Fd(int fd) : fd_(fd) { }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd() { reset(); }
    int get() const { return fd_; }
    void reset()
    {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }
    void adopt(int fd)
    {
        reset();
        fd_ = fd;
    }

private:
    int fd_ = -1;
};

bool makePipe(Fd& readEnd, Fd& writeEnd)
{
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0) return false;
    readEnd.adopt(ends[0]);
    writeEnd.adopt(ends[1]);
    return true;
}

std::vector<char*> pointers(const std::vector<std::string>& strings)
{
    std::vector<char*> result;
    for (const std::string& s : strings) result.push_back(const_cast<char*>(s.c_str()));
    result.push_back(nullptr);
    return result;
}

class SpawnSetup {
public:
    SpawnSetup()
    {
        ::posix_spawn_file_actions_init(&actions_);
        ::posix_spawnattr_init(&attributes_);
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;
    ~SpawnSetup()
    {
        ::posix_spawn_file_actions_destroy(&actions_);
        ::posix_spawnattr_destroy(&attributes_);
    }

    void wire(const Command& command, int outputPipe, int errorPipe)
    {
        const char* input = command.standardInput.empty() ? "/dev/null" : command.standardInput.c_str();
        ::posix_spawn_file_actions_addopen(&actions_, STDIN_FILENO, input, O_RDONLY, 0);
        if (outputPipe >= 0)
            ::posix_spawn_file_actions_adddup2(&actions_, outputPipe, STDOUT_FILENO);
        else
            ::posix_spawn_file_actions_addopen(
                &actions_, STDOUT_FILENO, command.standardOutput.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ::posix_spawn_file_actions_adddup2(&actions_, errorPipe, STDERR_FILENO);
        ::posix_spawn_file_actions_addclosefrom_np(&actions_, STDERR_FILENO + 1);
        if (!command.workingDirectory.empty())
            ::posix_spawn_file_actions_addchdir_np(&actions_, command.workingDirectory.c_str());
        // A new group, every signal at its default and unblocked, whatever the dialog does with them.
        sigset_t none, all;
        sigemptyset(&none);
        sigfillset(&all);
        ::posix_spawnattr_setpgroup(&attributes_, 0);
        ::posix_spawnattr_setsigmask(&attributes_, &none);
        ::posix_spawnattr_setsigdefault(&attributes_, &all);
        ::posix_spawnattr_setflags(
            &attributes_, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    }

    int spawn(const Command& command, pid_t* pid)
    {
        std::vector<char*> argv = pointers(command.argv);
        std::vector<char*> envp = pointers(command.environment);
        return ::posix_spawn(pid, argv[0], &actions_, &attributes_, argv.data(), envp.data());
    }

private:
    posix_spawn_file_actions_t actions_;
    posix_spawnattr_t attributes_;
};

// Reads what is there into `into`, keeping at most `limit` bytes (the first ones, or the last ones
// when `keepTail`); closes the end at end of file.
void drain(Fd& fd, std::string& into, size_t limit, bool keepTail)
{
    char buffer[16384];
    ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
    if (n == 0 || (n < 0 && errno != EINTR && errno != EAGAIN)) {
        fd.reset();
        return;
    }
    if (n < 0) return;
    into.append(buffer, static_cast<size_t>(n));
    if (into.size() <= limit) return;
    if (keepTail)
        into.erase(0, into.size() - limit);
    else
        into.resize(limit);
}

// True once the child has ended; it stays a zombie (its pid, and so its group id, stay taken).
bool ended(pid_t pid)
{
    siginfo_t info{};
    return ::waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid == pid;
}

class Watch {
public:
    Watch(const Command& command, pid_t pid, Fd& output, Fd& errors, RunResult& result)
        : command_(command), pid_(pid), output_(output), errors_(errors), result_(result),
          deadline_(Clock::now() + command.limit)
    {
    }

    // Waits for the child, the time limit or a cancel, reading its pipes meanwhile.
    RunResult::End wait()
    {
        for (;;) {
            if (ended(pid_)) return RunResult::End::Exited;
            if (command_.cancel && command_.cancel->load()) return RunResult::End::Cancelled;
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline_ - Clock::now());
            if (left.count() <= 0) return RunResult::End::TimedOut;
            poll(std::min<long>(left.count(), 20));
        }
    }

    // What the group still writes after the child ended, for a short while.
    void finish()
    {
        const auto until = Clock::now() + std::chrono::milliseconds(200);
        while ((output_.get() >= 0 || errors_.get() >= 0) && Clock::now() < until) poll(20);
    }

private:
    void poll(long milliseconds)
    {
        pollfd fds[2] = {{output_.get(), POLLIN, 0}, {errors_.get(), POLLIN, 0}};
        if (::poll(fds, 2, static_cast<int>(milliseconds)) <= 0) return;
        if (fds[0].revents) drain(output_, result_.output, Subprocess::kOutputLimit, false);
        if (fds[1].revents) drain(errors_, result_.errors, Subprocess::kErrorLimit, true);
    }

    const Command& command_;
    pid_t pid_;
    Fd& output_;
    Fd& errors_;
    RunResult& result_;
    Clock::time_point deadline_;
};

} // namespace

RunResult Subprocess::run(const Command& command)
{
    RunResult result;
    Fd outputRead, outputWrite, errorRead, errorWrite;
    const bool captureOutput = command.standardOutput.empty();
    if (command.argv.empty() || (captureOutput && !makePipe(outputRead, outputWrite)) ||
        !makePipe(errorRead, errorWrite)) {
        result.errors = "cannot start a helper program";
        return result;
    }
    SpawnSetup setup;
    setup.wire(command, captureOutput ? outputWrite.get() : -1, errorWrite.get());
    pid_t pid = -1;
    if (int error = setup.spawn(command, &pid); error != 0) {
        result.errors = command.argv[0] + ": " + std::strerror(error);
        return result;
    }
    outputWrite.reset();
    errorWrite.reset();
    Watch watch(command, pid, outputRead, errorRead, result);
    result.end = watch.wait();
    ::kill(-pid, SIGKILL);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    watch.finish();
    if (result.end != RunResult::End::Exited) return result;
    if (WIFEXITED(status)) {
        result.status = WEXITSTATUS(status);
    } else {
        result.end = RunResult::End::Signalled;
        result.status = WTERMSIG(status);
    }
    return result;
}

} // namespace host::preview
