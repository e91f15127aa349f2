// SPDX-License-Identifier: Apache-2.0
// UTF-8 checks and conversions over utfcpp; only the split into characters is ours.
#include "cf/Utf8.h"

#include <utf8cpp/utf8.h>

#include <algorithm>
#include <iterator>

namespace cf::utf8 {
namespace {

constexpr size_t kLongestSequence = 4;
constexpr char16_t kReplacement = 0xFFFD;

// An ASCII byte is a whole character of its own, so the check starts at the first byte that is not one:
// profile names and titles are mostly ASCII, and menus check thousands of them.
bool wellFormed(std::string_view bytes)
{
    const auto firstOther = std::find_if(bytes.begin(), bytes.end(), [](char c) { return (c & 0x80) != 0; });
    return ::utf8::find_invalid(firstOther, bytes.end()) == bytes.end();
}

// The bytes begin a character when some continuation makes them one; the second byte's range is the
// only one that depends on the lead, and it always holds the lowest or the highest continuation byte.
bool beginsCharacter(std::string_view bytes)
{
    for (char filler : {'\x80', '\xBF'}) {
        std::string padded(bytes);
        while (padded.size() < kLongestSequence) {
            padded += filler;
            if (wellFormed(padded)) return true;
        }
    }
    return false;
}

bool isSurrogate(char16_t unit)
{
    return unit >= 0xD800 && unit <= 0xDFFF;
}
bool isLeadSurrogate(char16_t unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool isTrailSurrogate(char16_t unit)
{
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

} // namespace

Sequence sequenceAt(std::string_view text, size_t pos)
{
    if (pos < text.size() && (text[pos] & 0x80) == 0) return {Form::Valid, 1};
    const std::string_view window = text.substr(pos, kLongestSequence);
    // The shortest well-formed prefix is exactly the first character.
    for (size_t length = 1; length <= window.size(); ++length)
        if (wellFormed(window.substr(0, length))) return {Form::Valid, length};
    if (window.size() < kLongestSequence && beginsCharacter(window)) return {Form::Incomplete, window.size()};
    return {Form::Invalid, 1};
}

size_t widthAt(std::string_view text, size_t pos)
{
    const Sequence sequence = sequenceAt(text, pos);
    return sequence.form == Form::Valid ? sequence.length : 1;
}

size_t previousBoundary(std::string_view text, size_t pos)
{
    // A well-formed character cannot start inside another, so the one ending at pos is found locally.
    for (size_t length = kLongestSequence; length > 1; --length) {
        if (length > pos) continue;
        const Sequence sequence = sequenceAt(text, pos - length);
        if (sequence.form == Form::Valid && sequence.length == length) return pos - length;
    }
    return pos - 1;
}

size_t unitsAt(std::string_view text, size_t pos)
{
    return widthAt(text, pos) == kLongestSequence ? 2 : 1;
}

bool isValid(std::string_view text)
{
    return wellFormed(text);
}

std::string repaired(std::string_view text)
{
    if (isValid(text)) return std::string(text);
    std::string out;
    out.reserve(text.size());
    for (size_t pos = 0; pos < text.size();) {
        const Sequence sequence = sequenceAt(text, pos);
        if (sequence.form == Form::Valid) {
            out.append(text.substr(pos, sequence.length));
            pos += sequence.length;
        } else {
            ::utf8::append(kReplacement, std::back_inserter(out));
            ++pos;
        }
    }
    return out;
}

size_t boundaryAtOrBefore(std::string_view text, size_t bound)
{
    if (bound >= text.size()) return text.size();
    size_t pos = 0;
    for (size_t width = widthAt(text, pos); pos + width <= bound; width = widthAt(text, pos)) pos += width;
    return pos;
}

size_t utf16Length(std::string_view text)
{
    size_t units = 0;
    for (size_t pos = 0; pos < text.size(); pos += widthAt(text, pos)) units += unitsAt(text, pos);
    return units;
}

size_t offsetOfUnit(std::string_view text, size_t units)
{
    size_t pos = 0;
    for (size_t counted = 0; pos < text.size() && counted < units; pos += widthAt(text, pos))
        counted += unitsAt(text, pos);
    return pos;
}

std::u16string toUtf16(std::string_view text)
{
    const std::string valid = repaired(text);
    std::u16string out;
    out.reserve(valid.size());
    ::utf8::utf8to16(valid.begin(), valid.end(), std::back_inserter(out));
    return out;
}

std::string fromUtf16(std::u16string_view units)
{
    std::u16string paired(units);
    for (size_t i = 0; i < paired.size(); ++i) {
        if (isLeadSurrogate(paired[i]) && i + 1 < paired.size() && isTrailSurrogate(paired[i + 1]))
            ++i;
        else if (isSurrogate(paired[i]))
            paired[i] = kReplacement;
    }
    std::string out;
    out.reserve(paired.size());
    ::utf8::utf16to8(paired.begin(), paired.end(), std::back_inserter(out));
    return out;
}

} // namespace cf::utf8
