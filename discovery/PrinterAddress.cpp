// SPDX-License-Identifier: Apache-2.0
// Address resolution of the printer: LPD hosts straight from the URI, Bonjour services through a
// bounded resolution; the result is the peer name the SNMP library is handed.
#include "discovery/PrinterAddress.h"

#include "cf/StringEncoding.h"
#include "services/NetService.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <vector>

namespace tlco {

namespace {

std::vector<std::string_view> splitAtDots(std::string_view text)
{
    std::vector<std::string_view> parts;
    size_t start = 0;
    while (true) {
        size_t dot = text.find('.', start);
        parts.push_back(text.substr(start, dot == std::string_view::npos ? std::string_view::npos : dot - start));
        if (dot == std::string_view::npos) return parts;
        start = dot + 1;
    }
}

std::string joinWithDots(const std::vector<std::string_view>& parts, size_t begin, size_t end)
{
    std::string joined;
    for (size_t i = begin; i < end; ++i) {
        if (i > begin) joined += '.';
        joined += parts[i];
    }
    return joined;
}

// The address must fit the buffer the way the original text conversion would put it there.
std::optional<std::string> fitAddress(std::string_view text)
{
    auto converted = cf::encodeFromUTF8(text, cf::kCFStringEncodingMacRoman);
    if (!converted || converted->size() >= kPrinterAddressSize) return std::nullopt;
    return converted;
}

// A host the SNMP library can only take as a peer name: a name or an address, never an option
// ("-Lf..." would make the library write a log file) nor anything with a port or a transport.
bool isPlainHostName(std::string_view host)
{
    if (host.empty() || host.front() == '-' || host.front() == '.') return false;
    return std::all_of(host.begin(), host.end(),
        [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == '_'; });
}

// The library reads "udp6:[ADDR]" as an IPv6 peer; a bare literal would be cut at its first colon.
std::optional<std::string> ipv6Peer(std::string_view literal)
{
    const std::string address(literal.substr(0, literal.find('%')));
    in6_addr parsed{};
    if (::inet_pton(AF_INET6, address.c_str(), &parsed) != 1) return std::nullopt;
    std::string_view zone = literal.substr(address.size());
    if (!zone.empty() && !isPlainHostName(zone.substr(1))) return std::nullopt;
    return "udp6:[" + std::string(literal) + "]";
}

std::optional<std::string> peerOfHost(std::string_view host)
{
    if (host.find(':') != std::string_view::npos) return ipv6Peer(host);
    if (!isPlainHostName(host)) return std::nullopt;
    return fitAddress(host);
}

std::optional<std::string> lpdAddress(const cf::URL& deviceURI)
{
    auto host = deviceURI.hostName();
    if (!host) return std::nullopt;
    return peerOfHost(*host);
}

// The first IPv4 address of the service, else its first IPv6 address.
std::optional<std::string> peerOfAddressing(const std::vector<std::string>& addressing)
{
    std::optional<std::string> ipv6;
    for (const std::string& address : addressing) {
        sockaddr_storage storage{};
        if (address.size() < sizeof(sa_family_t) || address.size() > sizeof storage) continue;
        std::copy(address.begin(), address.end(), reinterpret_cast<char*>(&storage));
        char text[INET6_ADDRSTRLEN] = {};
        if (storage.ss_family == AF_INET && address.size() >= sizeof(sockaddr_in)) {
            const auto& in = reinterpret_cast<const sockaddr_in&>(storage);
            if (::inet_ntop(AF_INET, &in.sin_addr, text, sizeof text)) return std::string(text);
        } else if (storage.ss_family == AF_INET6 && address.size() >= sizeof(sockaddr_in6) && !ipv6) {
            const auto& in6 = reinterpret_cast<const sockaddr_in6&>(storage);
            if (::inet_ntop(AF_INET6, &in6.sin6_addr, text, sizeof text)) ipv6 = ipv6Peer(text);
        }
    }
    return ipv6;
}

std::optional<std::string> bonjourAddress(const cf::URL& deviceURI)
{
    auto host = deviceURI.hostName();
    if (!host) return std::nullopt;
    auto service = splitBonjourHostName(*host);
    if (!service) return std::nullopt;

    svc::NetService netService(service->domain, service->type, service->name, 0);
    if (!netService.resolveWithTimeout(kBonjourResolveTimeout)) return std::nullopt;
    return peerOfAddressing(netService.addressing());
}

} // namespace

std::optional<BonjourServiceName> splitBonjourHostName(std::string_view host)
{
    const std::vector<std::string_view> parts = splitAtDots(host);
    // parts[i] and parts[i + 1] form the service type; the instance is everything before it.
    for (size_t i = 1; i + 1 < parts.size(); ++i) {
        if (parts[i + 1] != "_tcp" && parts[i + 1] != "_udp") continue;
        if (parts[i].empty()) continue;
        std::string instance = joinWithDots(parts, 0, i);
        if (instance.empty()) continue;
        std::string domain = joinWithDots(parts, i + 2, parts.size());
        if (domain.empty()) return std::nullopt;
        auto name = cf::URL::replacingPercentEscapes(instance);
        if (!name || name->empty()) return std::nullopt;
        return BonjourServiceName{*name, std::string(parts[i]) + "." + std::string(parts[i + 1]), domain};
    }
    return std::nullopt;
}

std::optional<std::string> resolvePrinterAddress(const cf::URL& deviceURI, int16_t protocol)
{
    if (protocol == kProtocolLPD) return lpdAddress(deviceURI);
    if (protocol == kProtocolBonjour) return bonjourAddress(deviceURI);
    return std::nullopt;
}

} // namespace tlco
