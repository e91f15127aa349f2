// SPDX-License-Identifier: Apache-2.0
// Nibble encoding of printer-side profile paths.
#include "profiles/NibbleCodec.h"

namespace tlco {

std::string nibbleEncode(std::string_view bytes)
{
    std::string text;
    text.reserve(bytes.size() * 2);
    for (char c : bytes) {
        auto b = static_cast<unsigned char>(c);
        text.push_back(static_cast<char>('0' + (b >> 4)));
        text.push_back(static_cast<char>('0' + (b & 0x0F)));
    }
    return text;
}

std::string nibbleDecode(std::string_view text)
{
    std::string bytes;
    bytes.reserve(text.size() / 2);
    for (size_t i = 0; i + 1 < text.size(); i += 2) {
        unsigned high = static_cast<unsigned char>(text[i]) - 48u;
        unsigned low = static_cast<unsigned char>(text[i + 1]) - 48u;
        bytes.push_back(static_cast<char>((high * 16u + low) & 0xFFu));
    }
    return bytes;
}

} // namespace tlco
