// SPDX-License-Identifier: Apache-2.0
// Turns the panel's settings in the ticket into the plan the proof follows: the Quick Color preset
// decides the advanced options unless it is Custom, missing or unknown entries take the PPD's
// defaults, and a profile from the panel's profile list is used when a fit local copy exists.
#pragma once

#include "host/preview/ColourPlan.h"
#include "host/preview/PrinterChoices.h"
#include "host/preview/ProfileTable.h"
#include "host/preview/UserProfiles.h"

#include <map>
#include <string>

namespace host::preview {

class ColourPlanner {
public:
    // The three are borrowed and must outlive the planner.
    ColourPlanner(const PrinterChoices& printer, const ProfileTable& table, const UserProfiles& userProfiles)
        : printer_(printer), table_(table), userProfiles_(userProfiles)
    {
    }

    // ticket: the ticket's top-level entries (PPD keyword -> choice keyword, and the profile keys
    // "...Custom" and "...CustomFilename").
    ColourPlan plan(const std::map<std::string, std::string>& ticket) const;

private:
    struct Context;
    std::string choice(const Context& context, const std::string& key) const;
    std::string profileFile(Context& context, const std::string& key, ProfileRole role, int intent) const;
    ObjectColour object(Context& context, const std::string& kind) const;
    SimulationColour simulation(Context& context) const;

    const PrinterChoices& printer_;
    const ProfileTable& table_;
    const UserProfiles& userProfiles_;
};

} // namespace host::preview
