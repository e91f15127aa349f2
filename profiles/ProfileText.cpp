// UTF-8 handling of profile names.
#include "profiles/ProfileText.h"

#include <algorithm>
#include <cstring>

namespace tlco {
namespace {

constexpr int kIncomplete = -1;

// Length of the valid UTF-8 sequence at pos, 0 when the bytes there are no valid sequence, or
// kIncomplete when they begin one that the text ends before.
int sequenceAt(std::string_view text, size_t pos)
{
    auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    unsigned char lead = byte(pos);
    if (lead < 0x80) return 1;
    int length;
    unsigned char low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    for (int i = 1; i < length; ++i) {
        if (pos + static_cast<size_t>(i) >= text.size()) return kIncomplete;
        unsigned char next = byte(pos + static_cast<size_t>(i));
        if (i == 1 ? (next < low || next > high) : (next < 0x80 || next > 0xBF)) return 0;
    }
    return length;
}

// XML 1.0 has no form for the control characters other than tab, line feed and carriage return,
// nor for U+FFFE and U+FFFF; a file holding one is no property list to other readers.
bool allowedInXml(std::string_view character)
{
    auto lead = static_cast<unsigned char>(character[0]);
    if (character.size() == 1) return lead >= 0x20 || lead == '\t' || lead == '\n' || lead == '\r';
    return character != "\xEF\xBF\xBE" && character != "\xEF\xBF\xBF";
}

} // namespace

std::string_view fieldText(const char (&field)[kProfileNameSize])
{
    return std::string_view(field, ::strnlen(field, kProfileNameSize));
}

void setFieldText(char (&field)[kProfileNameSize], std::string_view text)
{
    size_t length = std::min(text.size(), static_cast<size_t>(kProfileNameSize - 1));
    std::memset(field, 0, kProfileNameSize);
    std::memcpy(field, text.data(), length);
}

bool isValidUtf8(std::string_view text)
{
    for (size_t pos = 0; pos < text.size();) {
        int length = sequenceAt(text, pos);
        if (length <= 0) return false;
        pos += static_cast<size_t>(length);
    }
    return true;
}

std::optional<std::string> storableText(std::string_view text)
{
    for (size_t pos = 0; pos < text.size();) {
        int length = sequenceAt(text, pos);
        if (length == kIncomplete) return std::string(text.substr(0, pos));
        if (length == 0 || !allowedInXml(text.substr(pos, static_cast<size_t>(length)))) return std::nullopt;
        pos += static_cast<size_t>(length);
    }
    return std::string(text);
}

std::string displayableUtf8(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    appendDisplayableUtf8(out, text);
    return out;
}

void appendDisplayableUtf8(std::string& out, std::string_view text)
{
    for (size_t pos = 0; pos < text.size();) {
        int length = sequenceAt(text, pos);
        if (length == kIncomplete) break;
        if (length == 0) {
            out += "\xEF\xBF\xBD";
            ++pos;
            continue;
        }
        out.append(text.substr(pos, static_cast<size_t>(length)));
        pos += static_cast<size_t>(length);
    }
}

} // namespace tlco
