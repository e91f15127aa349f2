// SPDX-License-Identifier: Apache-2.0
// The model of the dialog's own panes (Copies & Pages, Layout, Paper Handling, Printer Features,
// Job): their options built from the PPD and the queue's IPP attributes, the choices made, which
// choices conflict now, and what the job carries. Widgets only show it.
#pragma once

#include "host/PaneConflicts.h"
#include "host/PaneOption.h"
#include "host/QueueAttributes.h"

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace host {

class DialogPanes {
public:
    using Pairs = std::vector<std::pair<std::string, std::string>>;
    // The panel's choices now (PPD keyword -> choice); they count for conflicts, never change here.
    using PanelChoices = std::function<PaneConflicts::Choices()>;

    // The panes of a printer. ppd is the panes' own copy of the printer's PPD (null: no PPD); claimed
    // are the keys the panel owns, which no pane shows.
    DialogPanes(PpdFile ppd, const QueueAttributes& queue, const std::set<std::string>& claimed, PanelChoices panel);

    // Every option with its availability and enabled state brought up to date.
    const std::vector<PaneOption>& options();
    // The option named name (an alias too: media for PageSize, sides for Duplex); null for none.
    const PaneOption* find(const std::string& name) const;
    // The option name stands for, with value put in its terms (an alias's values, lp's words for a
    // switch, a page list as CUPS takes it); null when there is none or the value is not valid.
    const PaneOption* resolve(const std::string& name, std::string& value) const;
    // The panes that have options, in the window's order.
    std::vector<std::string> paneNames() const;
    // The choices on offer for name now (conflicting ones left out); empty for a free-form option.
    std::vector<std::string> offered(const std::string& name);

    // A person's choice. False and a reason when name is no option of the panes, or the value is
    // not offered (a conflicting choice is not) or does not pass the option's rule.
    bool choose(const std::string& name, const std::string& value, std::string* error);
    // Whether start(name, value) would take the value; false and a reason when not. Changes nothing.
    bool valid(const std::string& name, const std::string& value, std::string* error) const;
    // A starting value (lpoptions, the ticket, the command line): taken when it is valid, whatever
    // conflicts; other choices then give way as cupsResolveConflicts resolves it. False and a reason
    // when the value is not valid.
    bool start(const std::string& name, const std::string& value, std::string* error);

    // NAME -> VALUE of every option whose value differs from the queue's default, in pane order.
    Pairs changed();

    // What Cancel goes back to: every value.
    std::vector<std::string> checkpoint() const;
    void revert(const std::vector<std::string>& values);

private:
    // The option name stands for, with value put in its terms (an alias's values); null for none.
    const PaneOption* lookup(const std::string& name, std::string& value) const;
    PaneOption* mutableOption(const PaneOption* option);
    bool accept(const PaneOption& option, std::string& value, std::string* error) const;
    // The option name stands for when value is one it accepts (value put in its terms); else null
    // and *error says why.
    PaneOption* accepted(const std::string& name, std::string& value, std::string* error);
    void refresh();
    PaneConflicts::Choices marked() const;
    void resolveConflicts(const std::string& keep);

    std::vector<PaneOption> options_;
    PaneConflicts conflicts_;
    PanelChoices panel_;
};

} // namespace host
