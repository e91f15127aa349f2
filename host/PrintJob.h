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

// Submits the document with the ticket's settings and tells the job's id on out ("job: N", or
// {"job": N} with --json); false and a reason when no job was made.
bool submitJob(Dialog& dialog, JobSubmitter& document, const Options& options, std::ostream& out, std::string* error);

} // namespace host
