// SPDX-License-Identifier: Apache-2.0
// How the texts of a PPD are decoded: the encoding its LanguageEncoding names, and what libcups
// has already done to its texts on opening it.
#pragma once

#include "cf/StringEncoding.h"

#include <cups/ppd.h>

#include <cstring>
#include <string>
#include <string_view>

namespace tlco {

// The AppKit encoding the PPD's LanguageEncoding names; NSMacOSRomanStringEncoding for a null PPD,
// a missing LanguageEncoding or one the table does not know.
cf::NSStringEncoding ppdNSStringEncoding(const ppd_file_t* ppd);
// The same as a CoreFoundation encoding; kCFStringEncodingMacRoman in the same cases.
cf::StringEncoding ppdCFStringEncoding(const ppd_file_t* ppd);
// The encoding the PPD's texts are really in, given the declared one: UTF-8 for an open PPD without
// a LanguageEncoding line (libcups converted them), `declared` otherwise (also for a null PPD).
cf::StringEncoding ppdTextEncoding(const ppd_file_t* ppd, cf::StringEncoding declared);
// The bytes decoded as UTF-8 text; "" when they do not decode, so entry i and item i still match.
std::string decodePPDText(std::string_view bytes, cf::StringEncoding encoding);

// A fixed-size libcups text field up to its NUL, never past the field's end.
template <size_t N>
std::string_view ppdField(const char (&text)[N])
{
    return std::string_view(text, strnlen(text, N));
}

} // namespace tlco
