// SPDX-License-Identifier: Apache-2.0
// setpriority with a thread's id acts on that thread alone on Linux; posix_spawn's child and a new
// thread start with the nice value of the thread that made them.
#include "host/preview/BackgroundPriority.h"

#include <cerrno>
#include <sys/resource.h>
#include <unistd.h>

namespace host::preview {

bool BackgroundPriority::lowerThisThread()
{
    // A program started lower already stays where it is.
    if (ofThisThread() >= kNice) return true;
    return ::setpriority(PRIO_PROCESS, static_cast<id_t>(::gettid()), kNice) == 0;
}

int BackgroundPriority::ofThisThread()
{
    errno = 0;
    return ::getpriority(PRIO_PROCESS, static_cast<id_t>(::gettid()));
}

} // namespace host::preview
