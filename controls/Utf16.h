// UTF-8 text as the UTF-16 units the text field counts and filters, and back.
#pragma once

#include <string>
#include <string_view>

namespace tlco {

// Invalid bytes become U+FFFD.
std::u16string utf16FromUtf8(std::string_view utf8);
// A lone surrogate becomes U+FFFD.
std::string utf8FromUtf16(std::u16string_view units);

} // namespace tlco
