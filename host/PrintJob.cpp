// SPDX-License-Identifier: Apache-2.0
// Print: the panel first, then the job.
#include "host/PrintJob.h"

#include "host/JobOptions.h"
#include "host/PickedPages.h"
#include "host/TicketFile.h"
#include "host/Translate.h"

#include <nlohmann/json.hpp>

#include <filesystem>
#include <iostream>
#include <ostream>
#include <system_error>

namespace host {
namespace {

// Picking a long document's pages may take a while; a document that takes longer is sent as it is.
constexpr std::chrono::milliseconds kPickingLimit{60000};

} // namespace

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
    const PickedPages picked(dialog.printer().ppdPath, documents.readable(), jobOptions(dialog), kPickingLimit);
    if (!picked.problem().empty())
        std::cerr << "printdialog: "
                  << trf("the chosen pages cannot be picked ({1}); CUPS lays the job out as it does",
                         {picked.problem()})
                  << "\n";
    int job = documents.submit(
        dialog.printer().printer->id(), picked.options(), options.timeoutSeconds, error, picked.instead());
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
