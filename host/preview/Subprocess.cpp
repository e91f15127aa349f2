// SPDX-License-Identifier: Apache-2.0
// The child's pipes are read while it runs, so a chatty helper never blocks on a full pipe.
#include "host/preview/Subprocess.h"

#include "host/preview/ChildGroup.h"
#include "host/preview/Pipe.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace host::preview {
namespace {

using Clock = std::chrono::steady_clock;

class Watch {
public:
    Watch(const Command& command, const ChildGroup& child, Fd& output, Fd& errors, RunResult& result)
        : command_(command), child_(child), output_(output), errors_(errors), result_(result),
          deadline_(Clock::now() + command.limit)
    {
    }

    // Waits for the child, the time limit or a cancel, reading its pipes meanwhile.
    RunResult::End wait()
    {
        for (;;) {
            if (child_.ended()) return RunResult::End::Exited;
            if (command_.cancel && command_.cancel->load()) return RunResult::End::Cancelled;
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline_ - Clock::now());
            if (left.count() <= 0) return RunResult::End::TimedOut;
            // Once both pipes have reached their end the child is about to end: look again soon.
            const bool open = output_.get() >= 0 || errors_.get() >= 0;
            poll(std::min<long>(left.count(), open ? 20 : 1));
        }
    }

    // What the group wrote before it ended (it is killed by now, so the pipes reach their end).
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
        if (fds[0].revents) output_.readInto(result_.output, Subprocess::kOutputLimit, false);
        if (fds[1].revents) errors_.readInto(result_.errors, Subprocess::kErrorLimit, true);
    }

    const Command& command_;
    const ChildGroup& child_;
    Fd& output_;
    Fd& errors_;
    RunResult& result_;
    Clock::time_point deadline_;
};

// The standard output the child writes: a pipe kept in memory, or the named file.
bool openOutput(const Command& command, Fd& readEnd, Fd& writeEnd)
{
    if (command.standardOutput.empty()) return Fd::pipe(readEnd, writeEnd);
    writeEnd.adopt(::open(command.standardOutput.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600));
    return writeEnd.get() >= 0;
}

} // namespace

RunResult Subprocess::run(const Command& command)
{
    RunResult result;
    Fd input, outputRead, outputWrite, errorRead, errorWrite;
    if (!command.standardInput.empty()) input.adopt(::open(command.standardInput.c_str(), O_RDONLY | O_CLOEXEC));
    if ((!command.standardInput.empty() && input.get() < 0) || !openOutput(command, outputRead, outputWrite) ||
        !Fd::pipe(errorRead, errorWrite)) {
        result.errors = std::string("cannot start a helper program: ") + std::strerror(errno);
        return result;
    }
    std::unique_ptr<ChildGroup> child = ChildGroup::spawn(command.argv, command.environment, command.workingDirectory,
        {input.get(), outputWrite.get(), errorWrite.get()}, &result.errors);
    if (!child) return result;
    input.reset();
    outputWrite.reset();
    errorWrite.reset();
    Watch watch(command, *child, outputRead, errorRead, result);
    result.end = watch.wait();
    const int status = child->stop();
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
