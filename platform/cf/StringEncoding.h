// SPDX-License-Identifier: Apache-2.0
// Text encodings by their CoreFoundation numbers, and the AppKit numbers that name the same sets.
#pragma once

#include "Export.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace cf {

using StringEncoding = uint32_t;

inline constexpr StringEncoding kCFStringEncodingMacRoman = 0;
inline constexpr StringEncoding kCFStringEncodingISOLatin1 = 0x0201;
inline constexpr StringEncoding kCFStringEncodingWindowsLatin1 = 0x0500;
inline constexpr StringEncoding kCFStringEncodingASCII = 0x0600;
inline constexpr StringEncoding kCFStringEncodingShiftJIS = 0x0A01;
inline constexpr StringEncoding kCFStringEncodingUTF8 = 0x08000100;

using NSStringEncoding = uint32_t;

inline constexpr NSStringEncoding NSASCIIStringEncoding = 1;
inline constexpr NSStringEncoding NSUTF8StringEncoding = 4;
inline constexpr NSStringEncoding NSISOLatin1StringEncoding = 5;
inline constexpr NSStringEncoding NSShiftJISStringEncoding = 8;
inline constexpr NSStringEncoding NSWindowsCP1252StringEncoding = 12;
inline constexpr NSStringEncoding NSMacOSRomanStringEncoding = 30;

// The CoreFoundation encoding for an AppKit one; Mac OS Roman for numbers we do not know.
StringEncoding encodingFromNSStringEncoding(NSStringEncoding encoding);

// Converts between an encoding and UTF-8; nothing when the input is not valid text.
std::optional<std::string> decodeToUTF8(std::string_view bytes, StringEncoding encoding);
std::optional<std::string> encodeFromUTF8(std::string_view utf8, StringEncoding encoding);

} // namespace cf
