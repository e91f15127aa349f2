// SPDX-License-Identifier: Apache-2.0
// The whole walk's deadline, and each request's time-out cut so that its tries end by it.
#pragma once

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

#include <chrono>
#include <optional>

namespace tlco {

class WalkDeadline {
public:
    // Starts now, for `seconds` (kDefaultWalkDeadline when 0 or less). Borrows the opened session,
    // whose time-out it shortens; its time-out as it stands is each request's full time-out.
    WalkDeadline(netsnmp_session& session, int seconds);

    // The next deadline made ends at `end` instead, once (nothing: as it would): a fetch that looked
    // up the printer's name first counts that time inside the same deadline.
    static void setNextEnd(std::optional<std::chrono::steady_clock::time_point> end);

    // Shortens the next request's time-out so that its tries end by the deadline; false (and a
    // word in the debug text) when the deadline has passed.
    bool fitNextRequest();

private:
    using Clock = std::chrono::steady_clock;

    netsnmp_session& session_;
    long fullTimeout_;
    Clock::time_point end_;
};

} // namespace tlco
