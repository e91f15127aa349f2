// SPDX-License-Identifier: Apache-2.0
// A dialog's changes to the ticket laid over the ticket file as another dialog has saved it since.
#pragma once

#include "cf/Dictionary.h"

namespace host {

// Applies to current what changed from base to mine: an entry mine added, changed or removed is
// set or removed in current; an entry both changed is taken from mine, except that dictionaries on
// all three sides (or that base lacks) are merged entry by entry, so each printer's settings under
// the model code are kept. Entries mine left alone stay as current has them.
void mergeTicketChanges(const cf::Dictionary& base, const cf::Dictionary& mine, cf::Dictionary& current);

// Whether two values hold the same, deeply (dictionaries by their string keys); two nulls are the same.
bool sameValue(const cf::Ref& a, const cf::Ref& b);

} // namespace host
