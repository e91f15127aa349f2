// SPDX-License-Identifier: Apache-2.0
// Summary lines: a localized title and the text a control shows, gathered into the dialog's summary
// dictionary and its display order.
#pragma once

#include "binding/ControlRecord.h"
#include "cf/Array.h"
#include "cf/Dictionary.h"
#include "cf/String.h"

#include <cstdint>

namespace tlco {

// Adds a line for every record with a summaryKey, up to the end record: the localized key as the
// title in `dictionary` and in `order` (both borrowed), the control's choice text as the value.
//   noErr     every line added; also, adding nothing, when the plug-in's bundle is not loaded
//   paramErr  a null dictionary or order (nothing added), or a line without a translated title or a
//             choice text (that line left out, the others added)
int32_t addSummaryLines(const PDEControlRecord* table, cf::Dictionary* dictionary, cf::Array* order);

// Adds one line: the localized titleKey (an ASCII key) with `value`, which the dictionary then shares.
// noErr when added, and when the bundle is not loaded (nothing added); paramErr for a null
// dictionary, order, value or key, a key that is not ASCII, or one without a translation.
int32_t addQuickColorSummaryLine(
    const char* titleKey, const cf::StringRef& value, cf::Dictionary* dictionary, cf::Array* order);

} // namespace tlco
