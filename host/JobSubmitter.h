// SPDX-License-Identifier: Apache-2.0
// Hands documents to a CUPS queue as one job with the dialog's options.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace host {

class CupsConnection;

class JobSubmitter {
public:
    using Pairs = std::vector<std::pair<std::string, std::string>>;

    // A document as another process reads it: the descriptor opened at the start (the spooled copy
    // for standard input), by a path under /proc, and how a person knows it.
    struct Readable {
        std::string path;
        std::string title;
    };
    // What goes in a document's place.
    struct Instead {
        bool leftOut = false; // nothing of it is sent
        std::string path;     // this file is sent; empty: the document itself
    };

    // Opens every document at once ("-": standard input), so that a file that cannot be read is
    // reported before the dialog runs; null and a one-line reason then.
    static std::unique_ptr<JobSubmitter> open(const std::vector<std::string>& paths, std::string* error);
    ~JobSubmitter();
    JobSubmitter(const JobSubmitter&) = delete;
    JobSubmitter& operator=(const JobSubmitter&) = delete;

    // The documents in order; valid while the submitter lives.
    std::vector<Readable> readable() const;

    // Sends the documents to the queue as one job with these options (job-name, when given, is the
    // job's title; else the first document's name). The job id, or 0 and a one-line reason when the
    // server refuses the job, no document is left or a document cannot be read; a job already made
    // is cancelled then. Each request to the server has the limit. instead: per document what goes
    // in its place (empty: every document as it is).
    int submit(const std::string& queue, const Pairs& options, int limitSeconds, std::string* error,
        const std::vector<Instead>& instead = {});

private:
    struct Document {
        std::string shown; // its path, or "standard input"
        int fd;
    };
    JobSubmitter() = default;
    // The documents to send, with the files opened in their place (closed by the caller); false and
    // a reason when such a file cannot be opened.
    bool toSend(const std::vector<Instead>& instead, std::vector<Document>& sent, std::vector<int>& opened,
        std::string* error) const;
    // Streams one document of the job; false and a reason.
    bool send(CupsConnection& http, const std::string& queue, int job, const Document& document, bool last,
        std::string* error);

    std::vector<Document> documents_;
};

} // namespace host
