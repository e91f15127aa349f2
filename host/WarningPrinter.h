// SPDX-License-Identifier: Apache-2.0
// The plug-in's warnings in script mode: with --json each is also one {"warning": TEXT} line among
// the answers (its line on standard error is the plug-in's own).
#pragma once

#include <iosfwd>

namespace host {

class WarningPrinter {
public:
    // Installs itself as the warning sink until it goes.
    WarningPrinter(bool json, std::ostream& out);
    ~WarningPrinter();
    WarningPrinter(const WarningPrinter&) = delete;
    WarningPrinter& operator=(const WarningPrinter&) = delete;
};

} // namespace host
