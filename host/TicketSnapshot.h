// SPDX-License-Identifier: Apache-2.0
// The ticket as it is now, put back when the snapshot goes: what runs meanwhile (the panel's save,
// for the preview) leaves no trace in it.
#pragma once

#include "cf/Dictionary.h"

namespace host {

class TicketSnapshot {
public:
    // ticket: the live store (pm::PrintSettings::values()); it must outlive the snapshot.
    explicit TicketSnapshot(cf::DictionaryRef ticket);
    ~TicketSnapshot();
    TicketSnapshot(const TicketSnapshot&) = delete;
    TicketSnapshot& operator=(const TicketSnapshot&) = delete;

private:
    cf::DictionaryRef live_;
    cf::DictionaryRef saved_; // a deep copy of the entries with string keys
};

} // namespace host
