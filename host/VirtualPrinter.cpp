// SPDX-License-Identifier: Apache-2.0
// The printer given on the command line.
#include "host/PrinterSource.h"

namespace host {

std::optional<PrinterChoice> virtualPrinter(const Options& options, const std::string& samplePpds, std::string*)
{
    PrinterChoice choice;
    choice.ppdPath = options.ppd.value_or(samplePpds + "/zq4410.ppd");
    if (!options.noPrinter) {
        std::optional<std::string> uri;
        if (!options.deviceURI.empty()) uri = options.deviceURI;
        choice.printer = std::make_shared<pm::Printer>(options.printerId, uri);
    }
    return choice;
}

} // namespace host
