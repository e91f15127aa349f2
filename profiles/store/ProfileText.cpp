// SPDX-License-Identifier: Apache-2.0
// UTF-8 handling of profile names.
#include "profiles/store/ProfileText.h"

#include "cf/Utf8.h"

#include <algorithm>
#include <cstring>

namespace tlco {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

// XML 1.0 has no form for the control characters other than tab, line feed and carriage return,
// nor for U+FFFE and U+FFFF; a file holding one is no property list to other readers.
bool allowedInXml(std::string_view character)
{
    auto lead = static_cast<unsigned char>(character[0]);
    if (character.size() == 1) return lead >= 0x20 || lead == '\t' || lead == '\n' || lead == '\r';
    return character != "\xEF\xBF\xBE" && character != "\xEF\xBF\xBF";
}

// U+061C, U+200E, U+200F, U+202A-U+202E and U+2066-U+2069.
bool reordersText(std::string_view character)
{
    if (character == "\xD8\x9C") return true;
    if (character.size() != 3 || character[0] != '\xE2') return false;
    const auto second = static_cast<unsigned char>(character[1]);
    const auto third = static_cast<unsigned char>(character[2]);
    if (second == 0x80) return third == 0x8E || third == 0x8F || (third >= 0xAA && third <= 0xAE);
    return second == 0x81 && third >= 0xA6 && third <= 0xA9;
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
    return cf::utf8::isValid(text);
}

std::optional<std::string_view> storableText(std::string_view text)
{
    for (size_t pos = 0; pos < text.size();) {
        const cf::utf8::Sequence sequence = cf::utf8::sequenceAt(text, pos);
        if (sequence.form == cf::utf8::Form::Incomplete) return text.substr(0, pos);
        if (sequence.form == cf::utf8::Form::Invalid || !allowedInXml(text.substr(pos, sequence.length)))
            return std::nullopt;
        pos += sequence.length;
    }
    return text;
}

std::string storableName(std::string_view text)
{
    constexpr size_t kLimit = kProfileNameSize - 1;
    if (auto stored = storableText(text); stored && stored->size() <= kLimit) return std::string(*stored);
    std::string out;
    for (size_t pos = 0; pos < text.size();) {
        const cf::utf8::Sequence sequence = cf::utf8::sequenceAt(text, pos);
        if (sequence.form == cf::utf8::Form::Incomplete) break;
        const std::string_view character = text.substr(pos, sequence.length);
        const bool kept = sequence.form == cf::utf8::Form::Valid && allowedInXml(character);
        const std::string_view shown = kept ? character : kReplacement;
        if (out.size() + shown.size() > kLimit) break;
        out.append(shown);
        pos += sequence.length;
    }
    return out;
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
    // Most names are ASCII, which needs no look at characters.
    if (std::none_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; })) {
        out.append(text);
        return;
    }
    for (size_t pos = 0; pos < text.size();) {
        const cf::utf8::Sequence sequence = cf::utf8::sequenceAt(text, pos);
        if (sequence.form == cf::utf8::Form::Incomplete) break;
        const std::string_view character = text.substr(pos, sequence.length);
        if (sequence.form == cf::utf8::Form::Invalid)
            out += kReplacement;
        else if (!reordersText(character))
            out.append(character);
        pos += sequence.length;
    }
}

} // namespace tlco
