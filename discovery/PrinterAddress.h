// SPDX-License-Identifier: Apache-2.0
// The network address its profile table is fetched from.
#pragma once

#include "base/PrinterProtocol.h"
#include "cf/URL.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tlco {

// The address buffer's size: at most 254 characters of address.
inline constexpr size_t kPrinterAddressSize = 255;

// How long a Bonjour service may take to resolve, in seconds.
inline constexpr double kBonjourResolveTimeout = 1.0;

struct BonjourServiceName {
    std::string name;   // instance name, percent escapes replaced
    std::string type;   // e.g. _pdl-datastream._tcp
    std::string domain; // e.g. local
};

// Splits "<instance>.<service>.<_tcp|_udp>.<domain>" as found in a Bonjour device URI's host part.
// The instance may itself contain dots; nothing when no service type follows a non-empty instance
// or no domain follows the service type.
std::optional<BonjourServiceName> splitBonjourHostName(std::string_view host);

// The peer the walk is sent to: the host of an LPD URI, or the address a Bonjour service resolves to
// (IPv4 first); never with a port, an IPv6 address as "udp6:[ADDR]". Nothing for other protocols,
// for a host that is no plain name or address, and on any failure.
std::optional<std::string> resolvePrinterAddress(const cf::URL& deviceURI, int16_t protocol);

} // namespace tlco
