// SPDX-License-Identifier: Apache-2.0
// Bounds every walk, whichever way it asks, by one deadline.
#include "discovery/WalkDeadline.h"

#include "discovery/MibWalk.h"

#include <algorithm>
#include <cstdio>

namespace tlco {
namespace {

std::optional<std::chrono::steady_clock::time_point> nextEnd;

} // namespace

WalkDeadline::WalkDeadline(netsnmp_session& session, int seconds)
    : session_(session), fullTimeout_(session.timeout),
      end_(nextEnd.value_or(Clock::now() + std::chrono::seconds(seconds > 0 ? seconds : kDefaultWalkDeadline)))
{
    nextEnd.reset();
}

void WalkDeadline::setNextEnd(std::optional<std::chrono::steady_clock::time_point> end)
{
    nextEnd = end;
}

bool WalkDeadline::fitNextRequest()
{
    const auto left = std::chrono::duration_cast<std::chrono::microseconds>(end_ - Clock::now()).count();
    if (left <= 0) {
        std::snprintf(sDEBUGmsg, sizeof sDEBUGmsg, "[SNMP] Error: walk not done by its deadline");
        return false;
    }
    const long tries = std::max(session_.retries, 0) + 1L;
    session_.timeout = std::max(1L, std::min<long>(fullTimeout_, left / tries));
    return true;
}

} // namespace tlco
