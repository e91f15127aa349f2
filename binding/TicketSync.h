// SPDX-License-Identifier: Apache-2.0
// Print-settings synchronisation: the model dictionary of the current queue inside the settings,
// the controls written into it and read back from it, and its flat copy at the settings' top level.
#pragma once

#include "binding/ControlRecord.h"
#include "binding/ProfileEntrySource.h"
#include "cf/Dictionary.h"
#include "cf/String.h"
#include "print/PMCalls.h"

#include <cstdint>

namespace tlco {

// Writes every control with a keyword and a choice list, up to the end record, into the model
// dictionary of the session's queue (a profile entry through `entries`, with its flag), then copies
// the model to the settings' top level. A value of the wrong type where the model's dictionaries
// belong is replaced first, with a warning on stderr.
// noErr also when there is no model (null settings, no current printer); otherwise as
// mapModelToTicket.
int32_t syncTicketFromPane(
    PMPrintSettings ticket, PMPrintSession session, const PDEControlRecord* table, const ProfileEntrySource& entries);
// Sets every control with a keyword from the model dictionary: the stored choice, the profile entry
// `entries` finds, or the PPD's default when the model has nothing for it. A stored value of another
// type, or a choice not in the list, leaves the control as it is. Then copies the model as above.
int32_t syncPaneFromTicket(
    PMPrintSettings ticket, PMPrintSession session, const PDEControlRecord* table, const ProfileEntrySource& entries);

// The model dictionary of the session's queue, shared with the settings (changes land there),
// created empty (as is the model's own entry) when missing. Null for null settings, no current
// printer, or a value of another type under the model's key or the queue's.
cf::DictionaryRef modelDictionary(PMPrintSettings ticket, PMPrintSession session);
// The ID of the session's current printer (a new string), or null when there is none.
cf::StringRef printQueueName(PMPrintSession session);
// The dictionary under `key` in `dictionary`, shared; null when either is null or not a dictionary,
// the container is empty, or the value is missing or of another type.
cf::DictionaryRef nestedDictionary(const cf::Ref& dictionary, const cf::StringRef& key);
// Copies the entries of `dictionary` to the settings' top level, except the model's key and any key
// whose current value is a dictionary. noErr; paramErr for null settings or dictionary (nothing
// copied); memFullErr when there is no room to take the entries (nothing copied).
int32_t mapModelToTicket(PMPrintSettings ticket, const cf::DictionaryRef& dictionary);

} // namespace tlco
