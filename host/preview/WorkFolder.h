// SPDX-License-Identifier: Apache-2.0
// A private temporary folder (mode 0700) for the preview's files, removed with everything in it when
// the owner goes.
#pragma once

#include <memory>
#include <string>

namespace host::preview {

class WorkFolder {
public:
    // Made under $TMPDIR (or /tmp); null and the reason when it cannot be made.
    static std::unique_ptr<WorkFolder> make(std::string* error);
    ~WorkFolder();
    WorkFolder(const WorkFolder&) = delete;
    WorkFolder& operator=(const WorkFolder&) = delete;

    const std::string& path() const { return path_; }

private:
    explicit WorkFolder(std::string path) : path_(std::move(path)) { }
    std::string path_;
};

} // namespace host::preview
