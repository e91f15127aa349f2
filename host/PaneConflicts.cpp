// SPDX-License-Identifier: Apache-2.0
// Constraint checks through libcups' marks.
#include "host/PaneConflicts.h"

#include "host/CupsOptions.h"

#include <cups/cups.h>

#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace host {

void PaneConflicts::mark(const Choices& choices)
{
    if (!ppd_) return;
    ppdMarkDefaults(ppd_.get());
    for (const auto& [option, choice] : choices)
        if (ppdFindOption(ppd_.get(), option.c_str())) ppdMarkOption(ppd_.get(), option.c_str(), choice.c_str());
}

bool PaneConflicts::conflicts(const std::string& option, const std::string& choice) const
{
    if (!ppd_) return false;
    CupsOptions conflicting;
    *conflicting.countAddress() =
        cupsGetConflicts(ppd_.get(), option.c_str(), choice.c_str(), conflicting.listAddress());
    return conflicting.count() > 0;
}

std::optional<PaneConflicts::Choices> PaneConflicts::resolve(const std::string& option, const std::string& choice) const
{
    if (!ppd_) return Choices();
    CupsOptions changes;
    if (!cupsResolveConflicts(ppd_.get(), option.empty() ? nullptr : option.c_str(),
            option.empty() ? nullptr : choice.c_str(), changes.countAddress(), changes.listAddress()))
        return std::nullopt;
    Choices resolved;
    for (const cups_option_t& change : changes) resolved[change.name] = change.value;
    return resolved;
}

} // namespace host
