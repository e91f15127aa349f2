// SPDX-License-Identifier: Apache-2.0
// Reads the panel's state for output: the controls of its interface description, the shown view,
// the profile window, the ticket; as JSON or as readable text.
#pragma once

#include "cf/Dictionary.h"
#include "host/Dialog.h"

#include <nlohmann/json.hpp>

#include <string>

namespace host {

nlohmann::json valueToJson(const cf::Ref& value);
// {"order": [...], "values": {...}} of a summary dictionary.
nlohmann::json summaryToJson(const cf::DictionaryRef& summary);
// {"shownView", "window", "controls", "ticket", "dialog"}.
nlohmann::json stateToJson(Dialog& dialog);
// {"pane", "panes", "preset", "options"}: the dialog's own panes; null once the dialog was
// terminated before they were ever built.
nlohmann::json panesToJson(Dialog& dialog);

// The shown view's controls, one a line, as a person would read them.
std::string renderPanel(Dialog& dialog);
std::string renderSummary(const cf::DictionaryRef& summary);

} // namespace host
