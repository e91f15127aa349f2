// SPDX-License-Identifier: Apache-2.0
// What the Print button does, for the command line and the window alike.
#pragma once

#include "host/Dialog.h"
#include "host/JobSubmitter.h"
#include "host/Options.h"

#include <iosfwd>
#include <string>

namespace host {

// The panel saves its settings and has its last word; false and a reason when it declines.
bool panelAgreesToPrint(Dialog& dialog, std::string* error);

// Submits the documents as one job with the dialog's options (jobOptions) and tells the job's id on
// out ("job: N", or {"job": N} with --json); false and a reason when no job was made.
bool submitJob(Dialog& dialog, JobSubmitter& documents, const Options& options, std::ostream& out, std::string* error);

// Print on the sample printer: nothing is sent; the settings (with the panes' choices) are written to
// the --ticket file or the default settings file, and out says where ("settings: PATH", or
// {"settings": PATH}). The path written; empty and a reason on failure.
std::string writeSettingsInstead(Dialog& dialog, const Options& options, std::ostream& out, std::string* error);

} // namespace host
