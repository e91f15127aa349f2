// SPDX-License-Identifier: Apache-2.0
// The choice lists of a PPD's options: each choice with its texts and whether marking it would
// conflict with what is marked now.
#pragma once

#include "binding/ControlRecord.h"

#include <cups/ppd.h>

#include <cstdint>
#include <memory>
#include <string_view>

namespace tlco {

// Reads the choices of the option `key` into a new list that `list` then owns.
//   noErr                 `list` holds the whole list
//   kPMPPDOptionNotFound  null PPD, null key, or the PPD has no such option; `list` is left as it was
//   kPMArrayCreateFailed  no memory for the list; `list` is null
//   memFullErr            no memory while filling it; `list` is null (a partial list would shift
//                         positions between the list and the pop-up)
int32_t readChoiceList(ppd_file_t* ppd, const char* key, std::unique_ptr<ChoiceList>& list);

// Appends the choices of the option `key` to `list` (borrowed), counting each appended entry in
// *count when `count` is given (stopping at INT16_MAX). noErr also when there is nothing to do: a
// null list, PPD or key, or an option without choices. memFullErr when memory runs out; the list
// may then hold part of the choices.
int32_t appendChoices(ppd_file_t* ppd, const char* key, ChoiceList* list, int16_t* count);

// Whether marking `choice` of `option` would leave the option in conflict. Every mark is as it was
// afterwards. False for a null argument or an option the PPD lacks.
bool isChoiceConflicted(ppd_file_t* ppd, const char* option, const char* choice);

// The position in `list` (borrowed) of the entry of `option` and `choice`; -1 when there is none
// or the list is null.
int32_t findChoice(const ChoiceList* list, std::string_view option, std::string_view choice);

} // namespace tlco
