// SPDX-License-Identifier: Apache-2.0
// The ticket's file: an XML property list whose root dictionary is the print settings.
#pragma once

#include "cf/Dictionary.h"

#include <optional>
#include <string>

namespace host {

// The stored settings; an empty dictionary when the file does not exist; nothing (and a reason)
// when it exists but is not a property-list dictionary.
std::optional<cf::DictionaryRef> readTicket(const std::string& path, std::string* error);
// Where the settings live without --ticket: $XDG_CONFIG_HOME/printdialog-settings.plist, or
// ~/.config/printdialog-settings.plist (the home from HOME, else the password database).
std::string defaultTicketPath();
// The settings of defaultTicketPath(); an empty dictionary when there are none. A file that cannot be
// read is said in one line on stderr and left alone: the dialog starts from the defaults.
cf::DictionaryRef readDefaultTicket();
// Writes through a temporary file and a rename (a link stays a link, the file keeps its mode); false
// and a reason on failure.
bool writeTicket(const std::string& path, const cf::DictionaryRef& settings, std::string* error);

} // namespace host
