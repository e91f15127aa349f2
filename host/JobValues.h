// SPDX-License-Identifier: Apache-2.0
// The rules for the job's free-form values, as lp takes them: page lists, hold times, whole numbers.
#pragma once

#include <optional>
#include <string>

namespace host {

// "1-3,7", "5-": numbers and ranges from 1 up, in ascending order without overlap; the list as CUPS
// takes it (spaces removed), "" for every page ("" or "all"), or nothing and a reason.
std::optional<std::string> checkPageList(const std::string& text, std::string* reason);

// What lp -H takes (now/immediate, hold/indefinite, HH:MM or HH:MM:SS, and CUPS's period keywords)
// as the job-hold-until value ("no-hold", "indefinite", "22:30", "night"), or nothing and a reason.
std::optional<std::string> checkHoldTime(const std::string& text, std::string* reason);

// A whole number within [minimum, maximum] written plainly, or nothing.
std::optional<int> wholeNumber(const std::string& text, int minimum, int maximum);

} // namespace host
