// SPDX-License-Identifier: Apache-2.0
// The controls as the PPD sets them up: their titles, the pop-up menus of the PPD's choices, the
// default choices, and a control's value as a position in its choice list.
#pragma once

#include "binding/ControlRecord.h"
#include "cf/String.h"

#include <cups/ppd.h>

#include <cstdint>
#include <string_view>

namespace tlco {

// The model code the panel is for, which also keys its entries in the print settings. Static text.
const char* ppdProductName();

// Sets the control's text (a label's value, a button's or check box's title, a tab view's tab labels)
// from the localized text of its titleKey. Nothing for a null record, control or key, or a key
// without a translation.
void setControlTitle(const PDEControlRecord* record);
// Replaces a pop-up's items with the texts of its option's choices (a text that does not decode
// becomes an empty item), each item representing its choice keyword. Nothing unless the record is a
// pop-up with a keyword and a menu and the PPD has the option.
void rebuildMenuFromPPD(ppd_file_t* ppd, const PDEControlRecord* record);
// setControlTitle for every record up to the end record, and rebuildMenuFromPPD for each pop-up.
void buildControlsFromPPD(const PDEControlRecord* table, ppd_file_t* ppd);

// The control value a choice stored in the settings stands for. Pop-up: the position of `option` and
// the stored choice in the record's choice list, -1 when the choice is not a string or not in the
// list. Check box: 1 when the choice is "True" (any of three spellings), else 0. Other records and a
// null record: 0.
int32_t storedChoiceValue(const PDEControlRecord* record, std::string_view option, const cf::Ref& storedChoice);
// storedChoiceValue of the option's default choice; 0 when the record has no choice list.
int32_t defaultChoiceValue(const PDEControlRecord* record);
// The control's choice position: a pop-up's selected position, or where a check box's "True" or
// "False" is in its choice list (-1 when it is not there). 0 for anything else.
int32_t controlChoicePosition(const PDEControlRecord* record);
// The text the control shows for its choice: a pop-up's selected title, or the choice text of a check
// box's state. A new string, or null when there is none (nothing selected, a choice not listed,
// another kind of record).
cf::StringRef controlChoiceText(const PDEControlRecord* record);
// Sets every control with a keyword, up to the end record, to its default choice.
void setControlsToDefaults(const PDEControlRecord* table);

} // namespace tlco
