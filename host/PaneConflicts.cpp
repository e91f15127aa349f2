// SPDX-License-Identifier: Apache-2.0
// Constraint checks through libcups' marks.
#include "host/PaneConflicts.h"

#include <cups/cups.h>

#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace host {
namespace {

struct OptionList {
    int count = 0;
    cups_option_t* list = nullptr;
    OptionList() = default;
    OptionList(const OptionList&) = delete;
    OptionList& operator=(const OptionList&) = delete;
    ~OptionList() { cupsFreeOptions(count, list); }
};

} // namespace

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
    OptionList conflicting;
    conflicting.count = cupsGetConflicts(ppd_.get(), option.c_str(), choice.c_str(), &conflicting.list);
    return conflicting.count > 0;
}

std::optional<PaneConflicts::Choices> PaneConflicts::resolve(const std::string& option, const std::string& choice) const
{
    if (!ppd_) return Choices();
    OptionList changes;
    if (!cupsResolveConflicts(ppd_.get(), option.empty() ? nullptr : option.c_str(),
            option.empty() ? nullptr : choice.c_str(), &changes.count, &changes.list))
        return std::nullopt;
    Choices resolved;
    for (int i = 0; i < changes.count; ++i) resolved[changes.list[i].name] = changes.list[i].value;
    return resolved;
}

} // namespace host
