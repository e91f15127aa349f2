// SPDX-License-Identifier: Apache-2.0
// Where the settings go when no --ticket names a file.
#pragma once

#include <string>

namespace host {

// $XDG_CONFIG_HOME/printdialog-settings.plist, or ~/.config/printdialog-settings.plist.
std::string defaultSettingsPath();

} // namespace host
