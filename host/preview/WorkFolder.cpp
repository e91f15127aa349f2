// SPDX-License-Identifier: Apache-2.0
// mkdtemp makes the folder readable by its owner alone: documents laid out in it stay private.
#include "host/preview/WorkFolder.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

namespace host::preview {

std::unique_ptr<WorkFolder> WorkFolder::make(std::string* error)
{
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/printdialog-preview-XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (!::mkdtemp(buffer.data())) {
        if (error) *error = pattern + ": " + std::strerror(errno);
        return nullptr;
    }
    return std::unique_ptr<WorkFolder>(new WorkFolder(buffer.data()));
}

WorkFolder::~WorkFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

} // namespace host::preview
