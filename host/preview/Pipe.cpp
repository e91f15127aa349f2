// SPDX-License-Identifier: Apache-2.0
// Reads and writes that go on after EINTR.
#include "host/preview/Pipe.h"

#include <cerrno>
#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <pthread.h>
#include <unistd.h>

namespace host::preview {

void Fd::reset()
{
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

void Fd::adopt(int fd)
{
    reset();
    fd_ = fd;
}

bool Fd::pipe(Fd& readEnd, Fd& writeEnd)
{
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0) return false;
    readEnd.adopt(ends[0]);
    writeEnd.adopt(ends[1]);
    return true;
}

void Fd::readInto(std::string& into, size_t limit, bool keepTail)
{
    char buffer[16384];
    const ssize_t n = ::read(fd_, buffer, sizeof buffer);
    if (n < 0 && (errno == EINTR || errno == EAGAIN)) return;
    if (n <= 0) {
        reset();
        return;
    }
    into.append(buffer, static_cast<size_t>(n));
    if (into.size() <= limit) return;
    if (keepTail)
        into.erase(0, into.size() - limit);
    else
        into.resize(limit);
}

// A reader that has gone must not end the dialog with SIGPIPE: the signal is held back on this thread
// while writing and taken away if the write raised it.
bool Fd::writeAll(const std::string& bytes)
{
    sigset_t pipeSignal, previous;
    sigemptyset(&pipeSignal);
    sigaddset(&pipeSignal, SIGPIPE);
    ::pthread_sigmask(SIG_BLOCK, &pipeSignal, &previous);
    size_t done = 0;
    bool broken = false;
    while (done < bytes.size() && !broken) {
        const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        broken = n <= 0;
        done += broken ? 0 : static_cast<size_t>(n);
    }
    if (broken && errno == EPIPE) {
        const timespec now{0, 0};
        ::sigtimedwait(&pipeSignal, nullptr, &now);
    }
    ::pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    return !broken;
}

} // namespace host::preview
