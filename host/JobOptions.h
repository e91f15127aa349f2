// SPDX-License-Identifier: Apache-2.0
// The options a Print pressed now sends with the job.
#pragma once

#include "host/Dialog.h"

#include <string>
#include <utility>
#include <vector>

namespace host {

using OptionPairs = std::vector<std::pair<std::string, std::string>>;

// The panes' choices that differ from the queue's defaults, then every string entry at the ticket's
// top level (the panel's settings) whose name no pane option has. Runs nothing on the panel.
OptionPairs jobOptions(Dialog& dialog);

// What the settings file keeps of the panes: the ticket's top level gets each pane option that
// differs from the queue's default (the job's name aside) and loses the ones that do not. Nothing
// when the panes were never built (then nothing in them changed).
void storePaneChoices(Dialog& dialog);

} // namespace host
