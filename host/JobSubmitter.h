// SPDX-License-Identifier: Apache-2.0
// Hands a document to a CUPS queue as a job whose options are the ticket's top-level strings.
#pragma once

#include "cf/Dictionary.h"

#include <memory>
#include <string>

namespace host {

class JobSubmitter {
public:
    // Opens the document at once, so that a file that cannot be read is reported before the dialog
    // runs; null and a one-line reason then.
    static std::unique_ptr<JobSubmitter> open(const std::string& path, std::string* error);
    ~JobSubmitter();
    JobSubmitter(const JobSubmitter&) = delete;
    JobSubmitter& operator=(const JobSubmitter&) = delete;

    // Sends the document to the queue with every string entry at the ticket's top level as a job
    // option. The job id, or 0 and a one-line reason when the server refuses the job or the document
    // cannot be read; a job already made is cancelled then. Each request to the server has the limit.
    int submit(const std::string& queue, const cf::DictionaryRef& ticket, int limitSeconds, std::string* error);

private:
    JobSubmitter(std::string path, int fd) : path_(std::move(path)), fd_(fd) { }

    std::string path_;
    int fd_;
};

} // namespace host
