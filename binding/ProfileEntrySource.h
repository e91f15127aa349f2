// SPDX-License-Identifier: Apache-2.0
// What ticket synchronisation asks of the profile entries that a profile pop-up lists after its PPD
// choices. The entries come from the profile list, which sits above this folder and implements this.
#pragma once

#include "binding/ControlRecord.h"
#include "cf/Dictionary.h"

#include <cstdint>

namespace tlco {

class ProfileEntrySource {
public:
    virtual ~ProfileEntrySource() = default;

    // Stores the choice of shown entry `select` (from 1) of the record's list in `model`, with the
    // flag that an entry is chosen. noErr, or a failure code of the profile list.
    virtual int32_t storeChosenEntry(const PDEControlRecord* record, cf::Dictionary* model, int16_t select) const = 0;
    // The shown entry (from 1) `model` names for the record; 0 when it names none that is listed,
    // a negative failure code when the record or the model is unusable.
    virtual int32_t chosenEntry(const PDEControlRecord* record, const cf::Dictionary* model) const = 0;
};

} // namespace tlco
