// SPDX-License-Identifier: Apache-2.0
// The PPD's constraints between choices, asked of libcups on a PPD of the panes' own (its marks
// never disturb the panel's).
#pragma once

#include "host/PpdFile.h"

#include <map>
#include <optional>
#include <string>

namespace host {

class PaneConflicts {
public:
    using Choices = std::map<std::string, std::string>;

    // Takes the PPD (null: nothing ever conflicts).
    explicit PaneConflicts(PpdFile ppd) : ppd_(std::move(ppd)) { }
    ppd_file_t* ppd() const { return ppd_.get(); }

    // Marks the PPD's defaults, then choices (PPD keyword -> choice; other names are ignored).
    void mark(const Choices& choices);
    // Whether option=choice conflicts with what is marked.
    bool conflicts(const std::string& option, const std::string& choice) const;
    // The changes cupsResolveConflicts makes so that the marked choices no longer conflict, keeping
    // option=choice (the newest choice; empty: none); nothing when they cannot be resolved.
    std::optional<Choices> resolve(const std::string& option, const std::string& choice) const;

private:
    PpdFile ppd_;
};

} // namespace host
