// SPDX-License-Identifier: Apache-2.0
// Printing through CUPS: Create-Job with the ticket's options, then the document streamed from the
// descriptor opened at the start.
#include "host/JobSubmitter.h"

#include "cf/File.h"
#include "host/CupsConnection.h"
#include "host/CupsOptions.h"
#include "host/CupsPassword.h"
#include "host/Translate.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace host {
namespace {

// An application prints through "printdialog --print -": its document is kept in an unnamed
// temporary file, so that it can be checked and sent like any file. -1 and the reason on failure,
// which names the temporary copy when it is the copy that fails (a full or missing TMPDIR).
int spoolStandardInput(std::string* reason)
{
    const char* tmp = std::getenv("TMPDIR");
    const std::string folder = tmp && *tmp ? tmp : "/tmp";
    auto copyFailed = [&](int fd) {
        *reason = trf("cannot keep a copy of standard input in {1}: {2}", {folder, std::strerror(errno)});
        if (fd >= 0) ::close(fd);
        return -1;
    };
    int fd = ::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (fd < 0) return copyFailed(fd);
    char buffer[65536];
    for (;;) {
        ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (n == 0) break;
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            *reason = trf("cannot read {1}: {2}", {tr("standard input"), std::strerror(errno)});
            ::close(fd);
            return -1;
        }
        for (ssize_t done = 0; done < n;) {
            ssize_t w = ::write(fd, buffer + done, static_cast<size_t>(n - done));
            if (w < 0 && errno == EINTR) continue;
            if (w <= 0) {
                if (w == 0) errno = ENOSPC;
                return copyFailed(fd);
            }
            done += w;
        }
    }
    ::lseek(fd, 0, SEEK_SET);
    return fd;
}

} // namespace

std::unique_ptr<JobSubmitter> JobSubmitter::open(const std::string& path, std::string* error)
{
    auto fail = [&](std::string reason) -> std::unique_ptr<JobSubmitter> {
        if (error) *error = std::move(reason);
        return nullptr;
    };
    const bool standardInput = path == "-";
    const std::string shown = standardInput ? tr("standard input") : path;
    std::string reason;
    int fd = standardInput ? spoolStandardInput(&reason) : ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0 && standardInput) return fail(reason);
    if (fd < 0) return fail(trf("cannot read {1}: {2}", {shown, std::strerror(errno)}));
    struct stat info { };
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size == 0) {
        ::close(fd);
        return fail(S_ISREG(info.st_mode) ? trf("cannot print {1}: it is empty", {shown})
                                          : trf("cannot print {1}: not a regular file", {shown}));
    }
    return std::unique_ptr<JobSubmitter>(new JobSubmitter(shown, fd));
}

JobSubmitter::~JobSubmitter()
{
    ::close(fd_);
}

int JobSubmitter::submit(
    const std::string& queue, const cf::DictionaryRef& ticket, int limitSeconds, std::string* error)
{
    auto fail = [error](std::string reason) {
        if (error) *error = std::move(reason);
        return 0;
    };
    CupsOptions options;
    if (ticket)
        for (const auto& [key, value] : ticket->stringEntries())
            if (auto text = cf::as<cf::String>(value)) options.add(key, text->utf8());

    if (::lseek(fd_, 0, SEEK_SET) < 0) return fail(trf("cannot read {1}: {2}", {path_, std::strerror(errno)}));
    auto http = CupsConnection::open(limitSeconds, error);
    if (!http) return 0;
    CupsPassword::forget();
    const std::string title = cf::File::nameOf(path_);
    int job = cupsCreateJob(http->get(), queue.c_str(), title.c_str(), options.count(), options.list());
    if (job <= 0 && CupsPassword::asked()) return fail(passwordRefusal(queue));
    if (job <= 0) return fail(http->reason(trf("CUPS queue {1} refused the job: {2}", {queue, cupsLastErrorString()})));

    // Over a fresh connection: a broken upload leaves the first one unusable.
    auto cancel = [&](std::string reason) {
        reason = http->reason(reason);
        http.reset();
        if (auto again = CupsConnection::open(limitSeconds, nullptr))
            cupsCancelJob2(again->get(), queue.c_str(), job, 0);
        return fail(std::move(reason));
    };
    http->startRequest();
    if (cupsStartDocument(http->get(), queue.c_str(), job, title.c_str(), CUPS_FORMAT_AUTO, 1) != HTTP_STATUS_CONTINUE)
        return cancel(trf("CUPS queue {1} refused the document: {2}", {queue, http->failure()}));
    char buffer[65536];
    for (;;) {
        ssize_t n = ::read(fd_, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        // Left unfinished, so no part of the document can start printing before the job is cancelled.
        if (n < 0) return cancel(trf("cannot read {1}: {2}", {path_, std::strerror(errno)}));
        if (n == 0) break;
        http->startRequest();
        if (cupsWriteRequestData(http->get(), buffer, static_cast<size_t>(n)) != HTTP_STATUS_CONTINUE)
            return cancel(trf("cannot send {1} to CUPS queue {2}: {3}", {path_, queue, http->failure()}));
    }
    http->startRequest();
    if (cupsFinishDocument(http->get(), queue.c_str()) > IPP_STATUS_OK_EVENTS_COMPLETE)
        return cancel(trf("CUPS queue {1} refused the document: {2}", {queue, http->failure()}));
    return job;
}

} // namespace host
