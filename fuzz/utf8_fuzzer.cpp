// SPDX-License-Identifier: Apache-2.0
// The UTF-8 reader's promises on any bytes: repair yields valid text and keeps valid text as it is,
// cuts never split a character, UTF-16 lengths and conversions agree, and glibc's iconv agrees on
// what is valid and what it converts to.
#include "cf/Utf8.h"

#include <iconv.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace {

void require(bool condition)
{
    if (!condition) std::abort();
}

// One converter per direction for the whole run; a failed call leaves its state reset by the next.
std::optional<std::string> iconvConvert(iconv_t converter, const std::string& in)
{
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    std::string out(in.size() * 2 + 4, '\0');
    char* inPtr = const_cast<char*>(in.data());
    size_t inLeft = in.size();
    char* outPtr = out.data();
    size_t outLeft = out.size();
    if (iconv(converter, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1)) return std::nullopt;
    out.resize(out.size() - outLeft);
    return out;
}

const iconv_t kUtf8ToUtf16 = iconv_open("UTF-16LE", "UTF-8");
const iconv_t kUtf16ToUtf8 = iconv_open("UTF-8", "UTF-16LE");

std::string littleEndianBytes(const std::u16string& units)
{
    std::string out;
    for (char16_t unit : units) {
        out += static_cast<char>(unit & 0xFF);
        out += static_cast<char>(unit >> 8);
    }
    return out;
}

void checkCut(const std::string& text, size_t bound)
{
    const size_t cut = cf::utf8::boundaryAtOrBefore(text, bound);
    require(cut <= bound || (bound >= text.size() && cut == text.size()));
    require(cut <= text.size());
    // The cut lies where a walk over the characters stops, and the next character would pass the bound.
    size_t pos = 0;
    while (pos < cut) pos += cf::utf8::widthAt(text, pos);
    require(pos == cut);
    if (cut < text.size()) require(cut + cf::utf8::widthAt(text, cut) > bound);
    if (cf::utf8::isValid(text)) require(cf::utf8::isValid(text.substr(0, cut)));
}

void checkUtf8(const std::string& text, size_t bound)
{
    const bool valid = cf::utf8::isValid(text);
    const std::string repaired = cf::utf8::repaired(text);
    require(cf::utf8::isValid(repaired));
    require(valid == (repaired == text));
    checkCut(text, bound);

    const std::u16string units = cf::utf8::toUtf16(text);
    require(units.size() == cf::utf8::utf16Length(text));
    require(cf::utf8::offsetOfUnit(text, units.size()) == text.size());
    require(cf::utf8::fromUtf16(units) == repaired);

    const std::optional<std::string> converted = iconvConvert(kUtf8ToUtf16, text);
    require(converted.has_value() == valid);
    if (converted) require(*converted == littleEndianBytes(units));
}

void checkUtf16(const std::string& bytes)
{
    std::u16string units;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2)
        units +=
            static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) | static_cast<unsigned char>(bytes[i + 1]) << 8);
    const std::string utf8 = cf::utf8::fromUtf16(units);
    require(cf::utf8::isValid(utf8));
    const std::optional<std::string> converted = iconvConvert(kUtf16ToUtf8, littleEndianBytes(units));
    if (converted) require(*converted == utf8 && cf::utf8::toUtf16(utf8) == units);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0) return 0;
    const size_t bound = data[0];
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    checkUtf8(text, bound);
    checkUtf16(text);
    return 0;
}
