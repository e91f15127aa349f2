// SPDX-License-Identifier: Apache-2.0
// Print: the panel first, then the job.
#include "host/PrintJob.h"

#include "host/JobOptions.h"
#include "host/TicketFile.h"
#include "host/Translate.h"

#include <nlohmann/json.hpp>

#include <filesystem>
#include <ostream>
#include <system_error>

namespace host {

bool panelAgreesToPrint(Dialog& dialog, std::string* error)
{
    if (!dialog.panel().saveValuesAndReturnError(nullptr)) {
        *error = tr("the panel could not save its settings");
        return false;
    }
    if (!dialog.panel().shouldPrint()) {
        *error = tr("the panel declined to print");
        return false;
    }
    return true;
}

bool submitJob(Dialog& dialog, JobSubmitter& documents, const Options& options, std::ostream& out, std::string* error)
{
    int job = documents.submit(dialog.printer().printer->id(), jobOptions(dialog), options.timeoutSeconds, error);
    if (!job) return false;
    if (options.json)
        out << nlohmann::json{{"job", job}}.dump() << "\n";
    else
        out << trf("job: {1}", {std::to_string(job)}) << "\n";
    out.flush();
    return true;
}

std::string writeSettingsInstead(Dialog& dialog, const Options& options, std::ostream& out, std::string* error)
{
    const std::string path = options.ticket.value_or(defaultTicketPath());
    if (!options.ticket) {
        std::error_code ignored; // a folder that cannot be made shows as the write's failure
        std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
    }
    storePaneChoices(dialog);
    if (!writeTicket(path, dialog.ticket().values(), dialog.ticketAsRead(), error)) return {};
    if (options.json)
        out << nlohmann::json{{"settings", path}}.dump() << "\n";
    else
        out << trf("nothing was sent to a printer; the settings were written to {1}", {path}) << "\n";
    out.flush();
    return path;
}

} // namespace host
