// SPDX-License-Identifier: Apache-2.0
// UTF-8 handling of profile names.
#include "profiles/store/ProfileText.h"

#include "cf/Utf8.h"

#include <algorithm>
#include <cstring>

namespace tlco {
namespace {

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

std::string displayableUtf8(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    appendDisplayableUtf8(out, text);
    return out;
}

void appendDisplayableUtf8(std::string& out, std::string_view text)
{
    if (cf::utf8::isValid(text)) {
        out.append(text);
        return;
    }
    for (size_t pos = 0; pos < text.size();) {
        const cf::utf8::Sequence sequence = cf::utf8::sequenceAt(text, pos);
        if (sequence.form == cf::utf8::Form::Incomplete) break;
        if (sequence.form == cf::utf8::Form::Invalid) {
            out += "\xEF\xBF\xBD";
            ++pos;
            continue;
        }
        out.append(text.substr(pos, sequence.length));
        pos += sequence.length;
    }
}

} // namespace tlco
