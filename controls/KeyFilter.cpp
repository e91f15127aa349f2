// SPDX-License-Identifier: Apache-2.0
// Character tests by input kind.
#include "controls/KeyFilter.h"

namespace tlco {

uint8_t NumericKeyFilter(uint32_t character)
{
    return character >= 0x30 && character <= 0x39;
}

uint8_t AlphaNumericKeyFilter(uint32_t character)
{
    return NumericKeyFilter(character) || (character >= 0x41 && character <= 0x5A) ||
        (character >= 0x61 && character <= 0x7A);
}

uint8_t AsciiKeyFilter(uint32_t character)
{
    return character >= 0x20 && character <= 0x7E;
}

// Characters a file name on the printer may hold: no space, no quoting, wildcard, separator or
// drive characters.
uint8_t AsciiKeyFilterAppoint(uint32_t character)
{
    if (character < 0x21 || character > 0x7E) return 0;
    switch (character) {
    case 0x22:
    case 0x2A:
    case 0x2B:
    case 0x2C:
    case 0x2F:
    case 0x5B:
    case 0x5C:
    case 0x5D:
    case 0x7C:
        return 0;
    default:
        return !(character >= 0x3A && character <= 0x40);
    }
}

uint8_t WideCharKeyFilter(uint32_t character)
{
    return character != 0x22 && character != 0x2B;
}

uint8_t FilterEditTextInputKey(int32_t inputKey, uint32_t character)
{
    switch (inputKey) {
    case kInputKindAscii:
        return AsciiKeyFilter(character);
    case kInputKindFileName:
        return AsciiKeyFilterAppoint(character);
    case kInputKindAlphaNumeric:
        return AlphaNumericKeyFilter(character);
    case kInputKindNumeric:
        return NumericKeyFilter(character);
    default:
        return WideCharKeyFilter(character);
    }
}

uint32_t UCFindComposedCharAtIndex(const UniChar* units, size_t length, size_t index, size_t* nextIndex)
{
    if (nextIndex) *nextIndex = index + 1;
    if (!units || index >= length) return 0;
    const uint32_t unit = units[index];
    const uint32_t after = index + 1 < length ? units[index + 1] : 0;
    if (unit >= 0xD800 && unit <= 0xDFFF) return (((unit & 0x3FF) << 10) | (after & 0x3FF)) + 0x10000;
    return unit;
}

void CheckUniCharString(const UniChar* units, size_t length, int32_t inputKey, std::u16string& text)
{
    if (!units || length == 0) return;
    size_t position = 0;
    for (size_t index = 0; index < length;) {
        size_t next = index + 1;
        uint32_t character = UCFindComposedCharAtIndex(units, length, index, &next);
        if (!FilterEditTextInputKey(inputKey, character)) {
            if (position < text.size()) text.erase(position, 1);
        } else {
            ++position;
        }
        index = next;
    }
}

} // namespace tlco
