// SPDX-License-Identifier: Apache-2.0
// Checking page lists, hold times and numbers before a job carries them.
#include "host/JobValues.h"

#include "host/Translate.h"

#include <charconv>
#include <string_view>

namespace host {
namespace {

constexpr std::string_view kHoldKeywords[] = {
    "no-hold", "indefinite", "day-time", "evening", "night", "second-shift", "third-shift", "weekend"};

// The number at the start of text (advanced past it), or nothing.
std::optional<long> leadingNumber(std::string_view& text)
{
    long value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end == text.data()) return std::nullopt;
    text.remove_prefix(static_cast<size_t>(end - text.data()));
    return value;
}

// The last page of a page-list item ("7", "2-5", "9-") after the pages up to last: -1 for a range
// open to the end, below -1 when the item is not one or does not follow.
long nextItem(std::string_view item, long last)
{
    if (last < 0) return -2;
    auto first = leadingNumber(item);
    if (!first || *first <= last) return -2;
    if (item.empty()) return *first;
    if (item.front() != '-') return -2;
    item.remove_prefix(1);
    if (item.empty()) return -1;
    auto end = leadingNumber(item);
    return end && item.empty() && *end >= *first ? *end : -2;
}

bool twoDigits(std::string_view text, int maximum)
{
    return text.size() == 2 && wholeNumber(std::string(text), 0, maximum).has_value();
}

bool clockTime(std::string_view text)
{
    if (text.size() != 5 && text.size() != 8) return false;
    if (text[2] != ':' || !twoDigits(text.substr(0, 2), 23) || !twoDigits(text.substr(3, 2), 59)) return false;
    return text.size() == 5 || (text[5] == ':' && twoDigits(text.substr(6, 2), 59));
}

} // namespace

std::optional<int> wholeNumber(const std::string& text, int minimum, int maximum)
{
    int value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    if (value < minimum || value > maximum) return std::nullopt;
    return value;
}

std::optional<std::string> checkPageList(const std::string& text, std::string* reason)
{
    std::string list;
    for (char c : text)
        if (c != ' ') list += c;
    if (list == "all") return std::string();
    long last = 0; // the last page of the items so far; -1 once a range is open to the end
    std::string_view rest = list;
    while (!rest.empty()) {
        const size_t comma = rest.find(',');
        std::string_view item = rest.substr(0, comma);
        rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
        if (comma != std::string_view::npos && rest.empty()) last = -2; // a trailing comma
        last = nextItem(item, last);
    }
    if (last < -1) {
        if (reason)
            *reason =
                trf("{1} is not a page list: give pages and ranges from 1 up in ascending order, like 1-3,7", {text});
        return std::nullopt;
    }
    return list;
}

std::optional<std::string> checkHoldTime(const std::string& text, std::string* reason)
{
    if (text == "now" || text == "immediate") return std::string("no-hold");
    if (text == "hold") return std::string("indefinite");
    for (std::string_view keyword : kHoldKeywords)
        if (text == keyword) return text;
    if (clockTime(text)) return text;
    if (reason)
        *reason = trf("{1} is not a time to print: give now, indefinite, HH:MM (UTC), day-time, evening, night, "
                      "second-shift, third-shift or weekend",
            {text});
    return std::nullopt;
}

} // namespace host
