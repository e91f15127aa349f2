// SPDX-License-Identifier: Apache-2.0
// Presets: the lpoptions instances of a queue, written through libcups (cupsSetDests) so that lp,
// lpoptions and every other dialog see them.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace host {

class Dialog;

inline constexpr const char* kDefaultPreset = "Default Settings";

// The instances of the queue (their names), in lpoptions order; empty when the server cannot say.
std::vector<std::string> presetNames(const std::string& queue, int limitSeconds);

// "Save Current Settings as Preset...": the panel saves, then the instance QUEUE/NAME holds the job's
// options (the job's name aside) in place of what it held. False and a reason when the dialog has no
// queue, the name is not one lpoptions can hold, or the file cannot be written.
bool savePreset(Dialog& dialog, const std::string& name, int limitSeconds, std::string* error);
// "Use as Default for All Applications": the same options as the queue's own lpoptions.
bool saveQueueDefaults(Dialog& dialog, int limitSeconds, std::string* error);

} // namespace host
