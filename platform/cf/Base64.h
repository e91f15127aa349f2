// SPDX-License-Identifier: Apache-2.0
// Base64 (the standard alphabet, padded) as property lists carry bytes in <data>.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace cf::base64 {

// Appends the bytes encoded, in lines of at most `lineLength` characters, each after `indent` and
// ending in a line feed; nothing for no bytes.
void appendLines(std::string& out, std::string_view bytes, size_t lineLength, std::string_view indent);
// The length of what appendLines appends.
size_t linesLength(size_t byteCount, size_t lineLength, size_t indentLength);

// The bytes of text made of whole groups of four characters, '=' padding only at its end, with
// spaces, tabs and line feeds anywhere; nothing for any other text.
std::optional<std::string> decode(std::string_view text);

} // namespace cf::base64
