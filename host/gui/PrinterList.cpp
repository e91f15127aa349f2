// SPDX-License-Identifier: Apache-2.0
// CUPS destinations through libcups, as lp finds them.
#include "host/gui/PrinterList.h"

#include <cups/cups.h>

namespace host {

std::vector<PrinterEntry> cupsPrinters()
{
    cups_dest_t* dests = nullptr;
    const int count = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
    std::vector<PrinterEntry> printers;
    for (int i = 0; i < count; ++i) {
        // An instance (a preset) is chosen as QUEUE/INSTANCE, as lp -d takes it.
        const std::string name =
            dests[i].instance ? std::string(dests[i].name) + "/" + dests[i].instance : std::string(dests[i].name);
        PrinterEntry entry{name, name};
        if (dests[i].is_default)
            printers.insert(printers.begin(), entry);
        else
            printers.push_back(entry);
    }
    cupsFreeDests(count, dests);
    return printers;
}

} // namespace host
