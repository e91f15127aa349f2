// SPDX-License-Identifier: Apache-2.0
// Character tests of the filtered text field: which characters an input kind accepts, the
// character at a UTF-16 index, and the removal of refused characters from a text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tlco {

using UniChar = char16_t;

// Input kinds; any other value accepts every character but quotation mark and plus sign.
inline constexpr int32_t kInputKindAscii = 0;
inline constexpr int32_t kInputKindFileName = 1;
inline constexpr int32_t kInputKindAlphaNumeric = 2;
inline constexpr int32_t kInputKindNumeric = 3;

uint8_t FilterEditTextInputKey(int32_t inputKey, uint32_t character);
uint8_t NumericKeyFilter(uint32_t character);
uint8_t AlphaNumericKeyFilter(uint32_t character);
uint8_t AsciiKeyFilter(uint32_t character);
uint8_t AsciiKeyFilterAppoint(uint32_t character);
uint8_t WideCharKeyFilter(uint32_t character);

// The character at index: the unit itself, or for a surrogate the code its unit and the next one
// make (so each half of a pair yields a code of 0x10000 or more). 0 for no units or an index past
// them. nextIndex, when given, gets index + 1.
uint32_t UCFindComposedCharAtIndex(const UniChar* units, size_t length, size_t index, size_t* nextIndex);

// Removes from text (which holds the same text as units) every character that the kind refuses.
void CheckUniCharString(const UniChar* units, size_t length, int32_t inputKey, std::u16string& text);

} // namespace tlco
