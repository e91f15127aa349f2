// SPDX-License-Identifier: Apache-2.0
// Encoding in lines and strict decoding.
#include "cf/Base64.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace cf::base64 {
namespace {

constexpr std::string_view kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr int8_t kNotInAlphabet = -1;

constexpr std::array<int8_t, 256> decodingTable()
{
    std::array<int8_t, 256> table{};
    table.fill(kNotInAlphabet);
    for (size_t i = 0; i < kAlphabet.size(); ++i)
        table[static_cast<unsigned char>(kAlphabet[i])] = static_cast<int8_t>(i);
    return table;
}

constexpr auto kDecoding = decodingTable();

// The four characters of the group of three bytes starting at `at` (fewer at the end, padded).
void appendGroup(std::string& out, std::string_view bytes, size_t at)
{
    const size_t count = std::min<size_t>(3, bytes.size() - at);
    uint32_t group = 0;
    for (size_t i = 0; i < 3; ++i) group = group << 8 | (i < count ? static_cast<unsigned char>(bytes[at + i]) : 0u);
    for (size_t i = 0; i < 4; ++i) out += i <= count ? kAlphabet[group >> (18 - 6 * i) & 0x3F] : '=';
}

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n';
}

// Whole groups in a line; a line of fewer than four characters holds one group all the same.
size_t groupsInLine(size_t lineLength)
{
    return std::max<size_t>(1, lineLength / 4);
}

} // namespace

size_t linesLength(size_t byteCount, size_t lineLength, size_t indentLength)
{
    const size_t groups = (byteCount + 2) / 3;
    const size_t lines = (groups + groupsInLine(lineLength) - 1) / groupsInLine(lineLength);
    return 4 * groups + lines * (indentLength + 1);
}

void appendLines(std::string& out, std::string_view bytes, size_t lineLength, std::string_view indent)
{
    const size_t groupsPerLine = groupsInLine(lineLength);
    for (size_t at = 0; at < bytes.size();) {
        out += indent;
        for (size_t group = 0; group < groupsPerLine && at < bytes.size(); ++group, at += 3)
            appendGroup(out, bytes, at);
        out += '\n';
    }
}

std::optional<std::string> decode(std::string_view text)
{
    std::string bytes;
    bytes.reserve(text.size() / 4 * 3);
    uint32_t group = 0;
    int filled = 0;
    int padding = 0;
    for (char c : text) {
        if (isSpace(c)) continue;
        const int8_t value = kDecoding[static_cast<unsigned char>(c)];
        if (c == '=' && filled >= 2) {
            ++padding;
        } else if (value == kNotInAlphabet || padding > 0) {
            return std::nullopt;
        }
        group = group << 6 | static_cast<uint32_t>(value < 0 ? 0 : value);
        if (++filled < 4) continue;
        for (int i = 0; i < 3 - padding; ++i) bytes += static_cast<char>(group >> (16 - 8 * i) & 0xFF);
        filled = 0;
        group = 0;
        if (padding > 0) padding = 3; // nothing may follow a padded group
    }
    if (filled != 0) return std::nullopt;
    return bytes;
}

} // namespace cf::base64
