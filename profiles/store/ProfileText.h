// SPDX-License-Identifier: Apache-2.0
// The 32-byte name fields of profile items as text: bounded copies and UTF-8 checks.
#pragma once

#include "profiles/store/ProfileList.h"

#include <optional>
#include <string>
#include <string_view>

namespace tlco {

// The field's bytes up to its NUL (all 32 when it has none).
std::string_view fieldText(const char (&field)[kProfileNameSize]);
// Copies at most 31 bytes of text into the field and fills the rest with NUL.
void setFieldText(char (&field)[kProfileNameSize], std::string_view text);

bool isValidUtf8(std::string_view text);
// The text as a property-list file can hold it: itself when it is valid UTF-8 of characters that XML
// allows, without its last character when only that one was cut short (a name cut at the field's
// size), else nothing.
// The result points into text.
std::optional<std::string_view> storableText(std::string_view text);
// Valid UTF-8 for display: a character cut short at the end is dropped, any other stray byte
// becomes U+FFFD.
std::string displayableUtf8(std::string_view text);
// The same, appended to out.
void appendDisplayableUtf8(std::string& out, std::string_view text);

} // namespace tlco
