// SPDX-License-Identifier: Apache-2.0
// UTF-8 as every part of the system reads it: well-formed sequences only (no overlong forms, no
// surrogates, nothing above U+10FFFF); any other byte stands alone and reads as one U+FFFD.
#pragma once

#include "Export.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace cf::utf8 {

enum class Form {
    Valid,      // a whole character
    Invalid,    // a byte that starts no character
    Incomplete, // the start of a character that the text ends inside of
};

struct Sequence {
    Form form;
    size_t length; // bytes: the character's when valid, 1 when invalid, the rest of the text when incomplete
};

// The sequence at pos (< text.size()).
TL_EXPORT Sequence sequenceAt(std::string_view text, size_t pos);
// Bytes the character at pos occupies when malformed bytes count one each.
TL_EXPORT size_t widthAt(std::string_view text, size_t pos);
// Start of the character that ends at pos (> 0), malformed bytes counting one each.
TL_EXPORT size_t previousBoundary(std::string_view text, size_t pos);
// UTF-16 units of the character at pos: two for a valid four-byte sequence, else one.
TL_EXPORT size_t unitsAt(std::string_view text, size_t pos);

// True when the text holds whole, well-formed characters only.
TL_EXPORT bool isValid(std::string_view text);
// The text with each malformed byte replaced by U+FFFD; identity on valid text.
TL_EXPORT std::string repaired(std::string_view text);
// Length of the longest prefix of at most bound bytes that ends between two characters.
TL_EXPORT size_t boundaryAtOrBefore(std::string_view text, size_t bound);

// Length of the repaired text in UTF-16 units.
TL_EXPORT size_t utf16Length(std::string_view text);
// Byte offset where UTF-16 unit `units` starts (clamped to the end); a position inside a
// surrogate pair moves past the whole character.
TL_EXPORT size_t offsetOfUnit(std::string_view text, size_t units);
// The repaired text as UTF-16.
TL_EXPORT std::u16string toUtf16(std::string_view text);
// UTF-16 as UTF-8; each unpaired surrogate becomes U+FFFD.
TL_EXPORT std::string fromUtf16(std::u16string_view units);

} // namespace cf::utf8
