// SPDX-License-Identifier: Apache-2.0
// An opened PPD with its defaults marked, closed when it goes.
#pragma once

#include <cups/ppd.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace host {

struct PpdCloser {
    void operator()(ppd_file_t* ppd) const;
};
using PpdFile = std::unique_ptr<ppd_file_t, PpdCloser>;

// Opens the file with libcups, localizes its texts for the messages' language (LANGUAGE first, as
// gettext does) and marks its defaults; null and a reason in error on failure.
PpdFile openPpd(const std::string& path, std::string* error);

// Marks a destination's options (as lp does) and makes each marked choice its option's default, which
// is where the panel reads a printer's defaults from.
void applyDestinationDefaults(ppd_file_t* ppd, const std::vector<std::pair<std::string, std::string>>& options);

} // namespace host
