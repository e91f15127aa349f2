// SPDX-License-Identifier: Apache-2.0
// Printing through CUPS: Create-Job with the dialog's options, then each document streamed from the
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

std::unique_ptr<JobSubmitter> JobSubmitter::open(const std::vector<std::string>& paths, std::string* error)
{
    std::unique_ptr<JobSubmitter> job(new JobSubmitter());
    for (const std::string& path : paths) {
        const bool standardInput = path == "-";
        const std::string shown = standardInput ? tr("standard input") : path;
        std::string reason;
        int fd = standardInput ? spoolStandardInput(&reason) : ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            if (error) *error = standardInput ? reason : trf("cannot read {1}: {2}", {shown, std::strerror(errno)});
            return nullptr;
        }
        job->documents_.push_back({shown, fd});
        struct stat info { };
        if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size == 0) {
            if (error)
                *error = S_ISREG(info.st_mode) ? trf("cannot print {1}: it is empty", {shown})
                                               : trf("cannot print {1}: not a regular file", {shown});
            return nullptr;
        }
    }
    return job;
}

JobSubmitter::~JobSubmitter()
{
    for (const Document& document : documents_) ::close(document.fd);
}

std::vector<JobSubmitter::Readable> JobSubmitter::readable() const
{
    std::vector<Readable> documents;
    const std::string folder = "/proc/" + std::to_string(::getpid()) + "/fd/";
    for (const Document& document : documents_)
        documents.push_back({folder + std::to_string(document.fd), cf::File::nameOf(document.shown)});
    return documents;
}

bool JobSubmitter::toSend(const std::vector<Instead>& instead, std::vector<Document>& sent, std::vector<int>& opened,
    std::string* error) const
{
    for (size_t i = 0; i < documents_.size(); ++i) {
        const Instead* other = i < instead.size() ? &instead[i] : nullptr;
        if (other && other->leftOut) continue;
        if (!other || other->path.empty()) {
            sent.push_back(documents_[i]);
            continue;
        }
        const int fd = ::open(other->path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            if (error) *error = trf("cannot read {1}: {2}", {other->path, std::strerror(errno)});
            return false;
        }
        opened.push_back(fd);
        sent.push_back({documents_[i].shown, fd});
    }
    if (sent.empty() && error) *error = tr("none of the chosen pages is in the documents");
    return !sent.empty();
}

int JobSubmitter::submit(const std::string& queue, const Pairs& given, int limitSeconds, std::string* error,
    const std::vector<Instead>& instead)
{
    auto fail = [error](std::string reason) {
        if (error) *error = std::move(reason);
        return 0;
    };
    std::vector<Document> sent;
    std::vector<int> opened;
    struct Closer {
        std::vector<int>& fds;
        ~Closer()
        {
            for (int fd : fds) ::close(fd);
        }
    } closer{opened};
    if (!toSend(instead, sent, opened, error)) return 0;
    CupsOptions options;
    std::string title = documents_.empty() ? std::string() : cf::File::nameOf(documents_.front().shown);
    for (const auto& [name, value] : given) {
        if (name == "job-name")
            title = value;
        else
            options.add(name, value);
    }
    for (const Document& document : sent)
        if (::lseek(document.fd, 0, SEEK_SET) < 0)
            return fail(trf("cannot read {1}: {2}", {document.shown, std::strerror(errno)}));
    auto http = CupsConnection::open(limitSeconds, error);
    if (!http) return 0;
    CupsPassword::forget();
    int job = cupsCreateJob(http->get(), queue.c_str(), title.c_str(), options.count(), options.list());
    if (job <= 0 && CupsPassword::asked()) return fail(passwordRefusal(queue));
    if (job <= 0) return fail(http->reason(trf("CUPS queue {1} refused the job: {2}", {queue, cupsLastErrorString()})));

    for (size_t i = 0; i < sent.size(); ++i) {
        std::string reason;
        if (send(*http, queue, job, sent[i], i + 1 == sent.size(), &reason)) continue;
        // Over a fresh connection: a broken upload leaves the first one unusable.
        reason = http->reason(reason);
        http.reset();
        if (auto again = CupsConnection::open(limitSeconds, nullptr))
            cupsCancelJob2(again->get(), queue.c_str(), job, 0);
        return fail(std::move(reason));
    }
    return job;
}

bool JobSubmitter::send(
    CupsConnection& http, const std::string& queue, int job, const Document& document, bool last, std::string* error)
{
    auto fail = [error](std::string reason) {
        *error = std::move(reason);
        return false;
    };
    const std::string name = cf::File::nameOf(document.shown);
    http.startRequest();
    if (cupsStartDocument(http.get(), queue.c_str(), job, name.c_str(), CUPS_FORMAT_AUTO, last ? 1 : 0) !=
        HTTP_STATUS_CONTINUE)
        return fail(trf("CUPS queue {1} refused the document: {2}", {queue, http.failure()}));
    char buffer[65536];
    for (;;) {
        ssize_t n = ::read(document.fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        // Left unfinished, so no part of the document can start printing before the job is cancelled.
        if (n < 0) return fail(trf("cannot read {1}: {2}", {document.shown, std::strerror(errno)}));
        if (n == 0) break;
        http.startRequest();
        if (cupsWriteRequestData(http.get(), buffer, static_cast<size_t>(n)) != HTTP_STATUS_CONTINUE)
            return fail(trf("cannot send {1} to CUPS queue {2}: {3}", {document.shown, queue, http.failure()}));
    }
    http.startRequest();
    if (cupsFinishDocument(http.get(), queue.c_str()) > IPP_STATUS_OK_EVENTS_COMPLETE)
        return fail(trf("CUPS queue {1} refused the document: {2}", {queue, http.failure()}));
    return true;
}

} // namespace host
