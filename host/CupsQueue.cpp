// Placeholder until printing through CUPS lands.
#include "host/PrinterSource.h"

namespace host {

std::optional<PrinterChoice> cupsQueuePrinter(const std::string& queue, std::string* error)
{
    if (error) *error = "CUPS queues are not supported yet (queue " + queue + ")";
    return std::nullopt;
}

} // namespace host
