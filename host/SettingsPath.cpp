// SPDX-License-Identifier: Apache-2.0
// The settings file's default place.
#include "host/SettingsPath.h"

#include <cstdlib>

namespace host {

std::string defaultSettingsPath()
{
    const char* config = std::getenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    std::string base = config && *config ? config : std::string(home ? home : ".") + "/.config";
    return base + "/printdialog-settings.plist";
}

} // namespace host
