// SPDX-License-Identifier: Apache-2.0
// The -o choices of the command line (and -n, -P, -t, -H, -q): checked at start, then chosen after
// each restore as a person would choose them: in the panel for the keys it claims, else in the
// dialog's own panes.
#pragma once

#include "host/Dialog.h"

#include <cups/ppd.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace host {

class CommandLineChoices {
public:
    // The values of -n, -P, -H and -q, which need no printer to be checked: false and one line
    // saying what each takes when one is not valid.
    static bool checkJobValues(const Options& options, std::string* error);

    // Parses the -o arguments as lp does (NAME=VALUE, NAME for True, noNAME for False), adds the
    // options' job choices, and checks each against the PPD and the dialog's panes: nothing, and one
    // line naming the valid options or choices, when one is unknown.
    static std::optional<CommandLineChoices> check(const Options& options, Dialog& dialog, std::string* error);

    bool empty() const { return choices_.empty(); }
    // Chooses every choice: in the panel's controls (their actions run, as for a click) or in the
    // dialog's panes. False and a reason when a control cannot be used now (disabled).
    bool apply(Dialog& dialog, std::string* error) const;

private:
    struct Choice {
        std::string option; // the PPD's spelling, or the pane option's name
        std::string choice;
        bool inPanel;
    };
    static bool checkOne(Dialog& dialog, const std::string& argument, const std::string& name, const std::string& value,
        std::vector<Choice>& checked, std::string* error);
    std::vector<Choice> choices_;
};

} // namespace host
