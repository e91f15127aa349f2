// Text value conversions.
#include "cf/String.h"

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
    size_t units = 0;
    for (unsigned char c : utf8_) {
        if ((c & 0xC0) == 0x80) continue; // continuation byte
        units += (c >= 0xF0) ? 2 : 1;     // four-byte sequences need a surrogate pair
    }
    return units;
}

} // namespace cf
