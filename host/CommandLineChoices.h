// SPDX-License-Identifier: Apache-2.0
// The -o choices of the command line: checked against the PPD at start, then chosen in the panel
// after each restore as a person would choose them.
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
    // Parses the -o arguments as lp does (NAME=VALUE, NAME for True, noNAME for False) and checks each
    // against the PPD: nothing, and one line naming the valid options or choices, when one is unknown.
    static std::optional<CommandLineChoices> check(
        const std::vector<std::string>& arguments, ppd_file_t* ppd, std::string* error);

    bool empty() const { return choices_.empty(); }
    // Chooses every choice in the panel's controls (their actions run, as for a click); an option the
    // panel does not show goes to the ticket's top level, where the job takes it. False and a reason
    // when a control cannot be used now (disabled).
    bool apply(Dialog& dialog, std::string* error) const;

private:
    struct Choice {
        std::string option; // the PPD's spelling
        std::string choice;
    };
    std::vector<Choice> choices_;
};

} // namespace host
