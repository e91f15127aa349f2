// SPDX-License-Identifier: Apache-2.0
// Text value conversions.
#include "cf/String.h"

#include "cf/Utf8.h"

#include <cstring>

namespace cf {

std::shared_ptr<String> String::createWithBytes(std::string_view bytes, StringEncoding encoding)
{
    auto utf8 = decodeToUTF8(bytes, encoding);
    if (!utf8) return nullptr;
    return std::make_shared<String>(std::move(*utf8));
}

std::shared_ptr<String> String::createWithCString(const char* text, StringEncoding encoding)
{
    if (!text) return nullptr;
    return createWithBytes(std::string_view(text, std::strlen(text)), encoding);
}

std::optional<std::string> String::bytesInEncoding(StringEncoding encoding) const
{
    if (encoding == kCFStringEncodingUTF8) return utf8_;
    return encodeFromUTF8(utf8_, encoding);
}

size_t String::length() const
{
    return utf8::utf16Length(utf8_);
}

} // namespace cf
