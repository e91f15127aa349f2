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
// Always text a property-list file can hold, in at most 31 bytes: what storableText keeps, with each
// stray byte and each character XML cannot hold (control characters but tab, line feed and carriage
// return; U+FFFE, U+FFFF) as U+FFFD, cut before a character that would pass the 31st byte. Names are
// read through it, so what a list shows is what its file will hold.
std::string storableName(std::string_view text);
// Valid UTF-8 for display: a character cut short at the end is dropped, any other stray byte
// becomes U+FFFD, and the controls that reorder text (U+202A-U+202E, U+2066-U+2069, U+200E, U+200F,
// U+061C) are left out, so that no name can make the text around it read backwards.
std::string displayableUtf8(std::string_view text);
// The same, appended to out.
void appendDisplayableUtf8(std::string& out, std::string_view text);

} // namespace tlco
