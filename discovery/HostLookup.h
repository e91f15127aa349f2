// SPDX-License-Identifier: Apache-2.0
// The printer's host name looked up by a deadline: a name server that never answers must not hold
// the dialog past the time the whole fetch of the printer's profiles has.
#pragma once

#include <chrono>
#include <optional>
#include <string>

namespace tlco {

// The peer the walk is sent to for host: an IPv4 address or a "udp6:[ADDR]" peer as it is; for a
// name its first IPv4 address, else its first IPv6 address as "udp6:[ADDR]". Nothing when the name has no address or
// the lookup has not ended by the deadline; a lookup given up goes on in the background until the resolver ends it, and
// is freed then.
std::optional<std::string> lookUpPeer(const std::string& host, std::chrono::steady_clock::time_point deadline);

} // namespace tlco
