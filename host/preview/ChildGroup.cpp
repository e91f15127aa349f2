// SPDX-License-Identifier: Apache-2.0
// posix_spawn, because the window's threads may run beside a render: nothing but exec happens in the
// child. Descriptors other than the three streams are closed in it.
#include "host/preview/ChildGroup.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

namespace host::preview {
namespace {

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

    void stream(int fd, int target)
    {
        if (fd >= 0)
            ::posix_spawn_file_actions_adddup2(&actions_, fd, target);
        else
            ::posix_spawn_file_actions_addopen(&actions_, target, "/dev/null", target == 0 ? O_RDONLY : O_WRONLY, 0);
    }

    void wire(const ChildGroup::Streams& streams, const std::string& directory)
    {
        stream(streams.input, STDIN_FILENO);
        stream(streams.output, STDOUT_FILENO);
        stream(streams.errors, STDERR_FILENO);
        ::posix_spawn_file_actions_addclosefrom_np(&actions_, STDERR_FILENO + 1);
        if (!directory.empty()) ::posix_spawn_file_actions_addchdir_np(&actions_, directory.c_str());
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

    int spawn(const std::vector<std::string>& argv, const std::vector<std::string>& environment, pid_t* pid)
    {
        std::vector<char*> args = pointers(argv);
        std::vector<char*> envp = pointers(environment);
        return ::posix_spawn(pid, args[0], &actions_, &attributes_, args.data(), envp.data());
    }

private:
    posix_spawn_file_actions_t actions_;
    posix_spawnattr_t attributes_;
};

} // namespace

std::unique_ptr<ChildGroup> ChildGroup::spawn(const std::vector<std::string>& argv,
    const std::vector<std::string>& environment, const std::string& directory, Streams streams, std::string* error)
{
    if (argv.empty()) {
        if (error) *error = "no program to start";
        return nullptr;
    }
    SpawnSetup setup;
    setup.wire(streams, directory);
    pid_t pid = -1;
    if (int failed = setup.spawn(argv, environment, &pid); failed != 0) {
        if (error) *error = argv[0] + ": " + std::strerror(failed);
        return nullptr;
    }
    return std::unique_ptr<ChildGroup>(new ChildGroup(pid));
}

ChildGroup::~ChildGroup()
{
    stop();
}

bool ChildGroup::ended() const
{
    if (status_) return true;
    siginfo_t info{};
    return ::waitid(P_PID, static_cast<id_t>(pid_), &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid == pid_;
}

int ChildGroup::stop()
{
    if (status_) return *status_;
    // The child is not reaped yet, so the group id still names its group alone.
    ::kill(-pid_, SIGKILL);
    int status = 0;
    while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
    status_ = status;
    return status;
}

} // namespace host::preview
