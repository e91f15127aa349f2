// An opened PPD with its defaults marked, closed when it goes.
#pragma once

#include <cups/ppd.h>

#include <memory>
#include <string>

namespace host {

struct PpdCloser {
    void operator()(ppd_file_t* ppd) const;
};
using PpdFile = std::unique_ptr<ppd_file_t, PpdCloser>;

// Opens the file with libcups and marks its defaults; null and a reason in error on failure.
PpdFile openPpd(const std::string& path, std::string* error);

} // namespace host
