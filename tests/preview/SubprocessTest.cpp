// SPDX-License-Identifier: Apache-2.0
// A helper program never outlives its limit, and leaves nothing of its own running behind it.
#include "host/preview/Subprocess.h"

#include "preview/TestDocuments.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <thread>

using host::preview::Command;
using host::preview::RunResult;
using host::preview::Subprocess;

namespace {

// True once the process is gone (bounded wait: an orphan is reaped by init a moment later).
bool gone(pid_t pid)
{
    for (int tries = 0; tries < 100; ++tries) {
        if (::kill(pid, 0) != 0 && errno == ESRCH) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

} // namespace

TEST(Subprocess, AHelperEndsAtItsLimitOrCancelAndTakesItsChildrenAlong)
{
    struct Case {
        const char* name;
        const char* script; // starts a sleeper in the background and writes its pid to the file $1
        bool cancel;
        RunResult::End end;
    };
    const Case cases[] = {
        {"runs past the limit", "sleep 30 & echo $! > \"$1\"; wait", false, RunResult::End::TimedOut},
        {"is cancelled", "sleep 30 & echo $! > \"$1\"; wait", true, RunResult::End::Cancelled},
        {"ends, leaving a child", "sleep 30 & echo $! > \"$1\"; echo done", false, RunResult::End::Exited},
    };
    testdocs::TestDocuments folder;
    for (const Case& c : cases) {
        const std::string pidFile = folder.folder() + "/pid";
        std::atomic<bool> cancel{false};
        Command command;
        command.argv = {"/bin/sh", "-c", c.script, "sh", pidFile};
        command.environment = {"PATH=/usr/bin:/bin"};
        command.limit = std::chrono::milliseconds(c.cancel ? 10000 : 500);
        command.cancel = &cancel;
        std::thread canceller([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            if (c.cancel) cancel = true;
        });
        const auto start = std::chrono::steady_clock::now();
        const RunResult result = Subprocess::run(command);
        canceller.join();
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2)) << c.name;
        EXPECT_EQ(result.end, c.end) << c.name;
        pid_t sleeper = 0;
        std::ifstream(pidFile) >> sleeper;
        ASSERT_GT(sleeper, 0) << c.name;
        EXPECT_TRUE(gone(sleeper)) << c.name;
        EXPECT_EQ(result.output, c.end == RunResult::End::Exited ? "done\n" : "") << c.name;
    }
}

TEST(Subprocess, AProgramThatCannotBeStartedSaysSo)
{
    Command command;
    command.argv = {"/nonexistent/helper"};
    const RunResult result = Subprocess::run(command);
    EXPECT_EQ(result.end, RunResult::End::NotStarted);
    EXPECT_NE(result.errors.find("/nonexistent/helper"), std::string::npos) << result.errors;
}
