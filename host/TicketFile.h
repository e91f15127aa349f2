// SPDX-License-Identifier: Apache-2.0
// The ticket's file: an XML property list whose root dictionary is the print settings.
#pragma once

#include "cf/Dictionary.h"

#include <optional>
#include <string>

namespace host {

// The bytes of a ticket file as a dialog read them (nothing: there was no file), the base of its save.
using TicketAsRead = std::optional<std::string>;

// The stored settings; an empty dictionary when the file does not exist; nothing (and a reason)
// when it exists but is not a property-list dictionary. With asRead, what was read.
std::optional<cf::DictionaryRef> readTicket(
    const std::string& path, std::string* error, TicketAsRead* asRead = nullptr);
// Where the settings live without --ticket: $XDG_CONFIG_HOME/printdialog-settings.plist, or
// ~/.config/printdialog-settings.plist (the home from HOME, else the password database).
std::string defaultTicketPath();
// The settings of defaultTicketPath(); an empty dictionary when there are none. A file that cannot be
// read is said in one line on stderr and left alone: the dialog starts from the defaults (and asRead,
// when given, stays empty: a save replaces such a file).
cf::DictionaryRef readDefaultTicket(std::optional<TicketAsRead>* asRead = nullptr);
// Writes through a temporary file and a rename (a link stays a link, the file keeps its mode), under
// the ticket's lock (a lock file beside it). With asRead, a file another dialog saved since then gets
// only what changed from asRead to settings (mergeTicketChanges), so its printers' settings stay;
// without, settings replace the file. False and a reason on failure, the file as it was.
bool writeTicket(const std::string& path, const cf::DictionaryRef& settings, const std::optional<TicketAsRead>& asRead,
    std::string* error);

} // namespace host
