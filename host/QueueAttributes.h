// SPDX-License-Identifier: Apache-2.0
// What a CUPS queue tells about its jobs over IPP: its defaults and the cover pages it has.
#pragma once

#include <cups/ipp.h>

#include <map>
#include <string>
#include <vector>

namespace host {

struct QueueAttributes {
    // Each NAME-default attribute as NAME -> its first value as text ("copies" -> "1").
    std::map<std::string, std::string> defaults;
    // job-sheets-supported; empty when the printer is no queue (the sample printer).
    std::vector<std::string> jobSheets;
    // number-up-supported when the queue lists its values.
    std::vector<std::string> numberUp;

    // Reads a Get-Printer-Attributes response (null: nothing known).
    static QueueAttributes fromResponse(ipp_t* response);
};

} // namespace host
