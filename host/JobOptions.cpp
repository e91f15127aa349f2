// SPDX-License-Identifier: Apache-2.0
// The job's options from the panes and the ticket.
#include "host/JobOptions.h"

#include "cf/String.h"

namespace host {

OptionPairs jobOptions(Dialog& dialog)
{
    DialogPanes& panes = dialog.panes();
    OptionPairs options = panes.changed();
    for (const auto& [key, value] : dialog.ticket().values()->stringEntries())
        if (auto text = cf::as<cf::String>(value); text && !panes.find(key)) options.emplace_back(key, text->utf8());
    return options;
}

void storePaneChoices(Dialog& dialog)
{
    if (!dialog.panesBuilt()) return;
    const cf::DictionaryRef& ticket = dialog.ticket().values();
    for (const PaneOption& option : dialog.panes().options()) {
        if (option.name == "job-name") continue;
        if (option.value == option.queueDefault)
            ticket->remove(option.name);
        else
            ticket->set(option.name, cf::String::create(option.value));
    }
}

} // namespace host
