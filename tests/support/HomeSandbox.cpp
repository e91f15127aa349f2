// SPDX-License-Identifier: Apache-2.0
// Enters the nss_wrapper home sandbox before main, re-executing the process when needed.
#include "support/HomeSandbox.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace homesandbox {
namespace {

namespace fs = std::filesystem;

constexpr const char* kHomeVariable = "HOMESANDBOX_HOME";
constexpr const char* kRootVariable = "HOMESANDBOX_ROOT";
constexpr const char* kWrapper = "libnss_wrapper.so";

struct Sandbox {
    std::string root;
    std::string home;
};

Sandbox& sandbox()
{
    static Sandbox instance;
    return instance;
}

[[noreturn]] void fail(const std::string& what)
{
    std::fprintf(stderr, "homesandbox: %s\n", what.c_str());
    std::fflush(stderr);
    std::_Exit(70);
}

std::string passwdPath(const std::string& root)
{
    return root + "/passwd";
}
std::string groupPath(const std::string& root)
{
    return root + "/group";
}

// Replaced whole, so nss_wrapper, which reloads a changed file, never reads half of it.
void writeFile(const std::string& path, const std::string& text)
{
    std::string temp = path + ".new";
    {
        std::ofstream out(temp, std::ios::trunc);
        out << text;
        if (!out.flush()) fail("cannot write " + temp);
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) fail("cannot replace " + path);
}

void writePasswd(const std::string& root, const std::optional<std::string>& dir)
{
    std::string text;
    if (dir) {
        if (dir->find_first_of(":\n") != std::string::npos) fail("a home may hold no ':' or newline: " + *dir);
        text = "sandbox:x:" + std::to_string(::getuid()) + ":" + std::to_string(::getgid()) + ":Test sandbox:" + *dir +
            ":/bin/sh\n";
    }
    writeFile(passwdPath(root), text);
}

void makeOwnerWritable(const fs::path& path)
{
    std::error_code ec;
    if (!fs::is_directory(fs::symlink_status(path, ec))) return;
    fs::permissions(path, fs::perms::owner_all, fs::perm_options::add, ec);
    for (const auto& entry : fs::directory_iterator(path, ec)) makeOwnerWritable(entry.path());
}

void removeTree(const std::string& root)
{
    std::error_code ec;
    makeOwnerWritable(root);
    fs::remove_all(root, ec);
}

std::vector<std::string> commandLine()
{
    std::ifstream in("/proc/self/cmdline", std::ios::binary);
    std::vector<std::string> arguments;
    std::string argument;
    while (std::getline(in, argument, '\0')) arguments.push_back(argument);
    return arguments;
}

volatile sig_atomic_t runningChild = 0;

void forwardSignal(int signal)
{
    if (runningChild > 0) ::kill(static_cast<pid_t>(runningChild), signal);
}

// Ends this process the way the child ended, so ctest sees the child's exit code or signal.
[[noreturn]] void endLike(int status)
{
    if (WIFEXITED(status)) std::_Exit(WEXITSTATUS(status));
    if (WIFSIGNALED(status)) {
        int signal = WTERMSIG(status);
        std::signal(signal, SIG_DFL);
        sigset_t set;
        sigemptyset(&set);
        sigaddset(&set, signal);
        ::sigprocmask(SIG_UNBLOCK, &set, nullptr);
        ::raise(signal);
    }
    std::_Exit(70);
}

// The first process creates the sandbox, runs itself again inside it as a child, and removes the
// sandbox when the child ends, however it ends.
[[noreturn]] void createAndRunInside()
{
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/homesandbox.XXXXXX";
    if (!::mkdtemp(pattern.data())) fail("cannot create a temporary folder: " + std::string(std::strerror(errno)));
    const std::string root = pattern;
    const std::string home = root + "/home";
    if (::mkdir(home.c_str(), 0700) != 0) fail("cannot create " + home);
    writePasswd(root, home);
    writeFile(groupPath(root), "sandbox:x:" + std::to_string(::getgid()) + ":\n");
    // The test's temporary folder too, so that its fixed file names never meet those of another run
    // (the same test through the window, or another checkout's suites on the machine).
    const std::string temp = root + "/tmp";
    if (::mkdir(temp.c_str(), 0700) != 0) fail("cannot create " + temp);

    const char* preload = std::getenv("LD_PRELOAD");
    std::string newPreload = std::string(kWrapper) + (preload && *preload ? std::string(":") + preload : "");
    ::setenv("LD_PRELOAD", newPreload.c_str(), 1);
    ::setenv("NSS_WRAPPER_PASSWD", passwdPath(root).c_str(), 1);
    ::setenv("NSS_WRAPPER_GROUP", groupPath(root).c_str(), 1);
    ::setenv("HOME", home.c_str(), 1);
    ::setenv("TEST_TMPDIR", temp.c_str(), 1);
    // The dialog's saved settings live under the configuration folder: the sandbox's, not the person's.
    ::unsetenv("XDG_CONFIG_HOME");
    ::setenv(kRootVariable, root.c_str(), 1);
    ::setenv(kHomeVariable, home.c_str(), 1);

    std::vector<std::string> arguments = commandLine();
    std::vector<char*> argv;
    for (auto& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    std::fflush(nullptr);
    pid_t child = ::fork();
    if (child == 0) {
        ::execv("/proc/self/exe", argv.data());
        std::fprintf(stderr, "homesandbox: cannot run the test inside the sandbox: %s\n", std::strerror(errno));
        std::_Exit(70);
    }
    if (child < 0) {
        removeTree(root);
        fail("cannot start the test inside the sandbox");
    }
    runningChild = child;
    for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) std::signal(signal, forwardSignal);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0) {
        if (errno != EINTR) {
            status = 70 << 8;
            break;
        }
    }
    removeTree(root);
    endLike(status);
}

void enter()
{
    const char* home = std::getenv(kHomeVariable);
    const char* root = std::getenv(kRootVariable);
    if (!home || !root) createAndRunInside();
    struct passwd* entry = ::getpwuid(::getuid());
    if (!entry || !entry->pw_dir || std::string(entry->pw_dir) != home)
        fail(
            "the password database does not answer with the sandbox home; is " + std::string(kWrapper) + " installed?");
    sandbox() = Sandbox{root, home};
}

// Runs before main in every process that links this file.
const bool entered = (enter(), true);

} // namespace

const std::string& home()
{
    (void)entered;
    return sandbox().home;
}

void reset()
{
    setPasswdHome(sandbox().home);
    makeOwnerWritable(sandbox().home);
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(sandbox().home, ec)) fs::remove_all(entry.path(), ec);
}

void setPasswdHome(const std::optional<std::string>& dir)
{
    writePasswd(sandbox().root, dir);
}

} // namespace homesandbox
