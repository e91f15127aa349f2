// SPDX-License-Identifier: Apache-2.0
// One option of the dialog's own panes: its CUPS name, the texts a person reads, its choices and the
// value chosen now.
#pragma once

#include <string>
#include <vector>

namespace host {

struct PaneChoice {
    std::string value;     // what the job carries
    std::string title;     // what a person reads
    bool available = true; // false while it conflicts with the other choices (shown, not choosable)
};

struct PaneOption {
    enum class Kind {
        Choice, // one of choices
        Toggle, // choices "false" and "true"
        Number, // a whole number from minimum to maximum
        Text,   // free text, checked by the option's own rule (page lists, hold times)
    };

    std::string name;  // the CUPS option name (the PPD keyword for a PPD option)
    std::string title; // in the person's language
    std::string pane;  // the pane's name (kCopiesPane, ...)
    std::string group; // Printer Features: the PPD group's text
    Kind kind = Kind::Choice;
    std::vector<PaneChoice> choices; // for Choice and Toggle
    int minimum = 0;
    int maximum = 0;
    std::string value;
    std::string queueDefault; // the queue's own default: a value equal to it is not sent
    bool enabled = true;
    bool fromPpd = false;

    bool freeForm() const { return kind == Kind::Number || kind == Kind::Text; }
    const PaneChoice* choice(const std::string& value) const;
};

inline constexpr const char* kCopiesPane = "Copies & Pages";
inline constexpr const char* kLayoutPane = "Layout";
inline constexpr const char* kPaperPane = "Paper Handling";
inline constexpr const char* kFeaturesPane = "Printer Features";
inline constexpr const char* kJobPane = "Job";

} // namespace host
