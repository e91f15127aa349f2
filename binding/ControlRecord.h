// SPDX-License-Identifier: Apache-2.0
// The control record: binds one on-screen control to a PPD main keyword; a view's control table is
// an array of them, ended by the end record.
#pragma once

#include "ui/View.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tlco {

// Control type codes (fixed: the constraint rules compare against them).
inline constexpr int32_t kControlEnd = 1032;
inline constexpr int32_t kControlLabel = 1034;
inline constexpr int32_t kControlPopUp = 1035;
inline constexpr int32_t kControlCheckBox = 1036;
inline constexpr int32_t kControlButton = 1039;
inline constexpr int32_t kControlTabView = 1040;

// Profile kinds of profile pop-ups.
inline constexpr int16_t kProfileKindNone = 0;
inline constexpr int16_t kProfileKindRGB = 1;
inline constexpr int16_t kProfileKindDestination = 2;
inline constexpr int16_t kProfileKindSimulation = 3;

// One PPD choice, its texts in UTF-8.
struct ChoiceEntry {
    std::string option;        // the option's keyword
    std::string defaultChoice; // the option's default choice
    std::string keyword;       // the choice's keyword
    std::string text;          // the choice's text, for the pop-up
    std::string conflict;      // kConflictTrue or kConflictFalse

    bool operator==(const ChoiceEntry&) const = default;
};
using ChoiceList = std::vector<ChoiceEntry>;

inline constexpr const char* kConflictTrue = "ConflictTrue";
inline constexpr const char* kConflictFalse = "ConflictFalse";

struct PDEControlRecord {
    ui::View* control;      // not owned; null only in the end record
    int32_t type;           // kControl...
    const char* ppdKey;     // "" when the control has no keyword
    const char* titleKey;   // localization key of the control's own text, or null
    const char* summaryKey; // localization key of the summary line's title, or null
    const char* ctrlName;   // name the constraint rules use; "" for none
    int16_t profileKind;    // kProfileKind...
    ChoiceList* choices;    // the PPD choices of ppdKey; owned by the view's table, null when none
};

inline constexpr PDEControlRecord kEndRecord = {nullptr, kControlEnd, "", nullptr, nullptr, "", 0, nullptr};

inline bool hasKeyword(const PDEControlRecord& record)
{
    return record.ppdKey && record.ppdKey[0] != '\0';
}

} // namespace tlco
