// SPDX-License-Identifier: Apache-2.0
// Print: the panel first, then the job.
#include "host/PrintJob.h"

#include "host/Translate.h"

#include <nlohmann/json.hpp>

#include <ostream>

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

bool submitJob(Dialog& dialog, JobSubmitter& document, const Options& options, std::ostream& out, std::string* error)
{
    int job = document.submit(dialog.printer().printer->id(), dialog.ticket().values(), options.timeoutSeconds, error);
    if (!job) return false;
    if (options.json)
        out << nlohmann::json{{"job", job}}.dump() << "\n";
    else
        out << trf("job: {1}", {std::to_string(job)}) << "\n";
    out.flush();
    return true;
}

} // namespace host
