// Address resolution of the printer: LPD host names straight from the URI, Bonjour services through
// a bounded resolution.
#include "discovery/PrinterAddress.h"

#include "cf/StringEncoding.h"
#include "services/NetService.h"

#include <netinet/in.h>
#include <sys/socket.h>

#include <algorithm>
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

std::optional<std::string> lpdAddress(const cf::URL& deviceURI)
{
    auto netLocation = deviceURI.netLocation();
    if (!netLocation) return std::nullopt;
    return fitAddress(*netLocation);
}

std::optional<std::string> bonjourAddress(const cf::URL& deviceURI)
{
    auto host = deviceURI.hostName();
    if (!host) return std::nullopt;
    auto service = splitBonjourHostName(*host);
    if (!service) return std::nullopt;

    svc::NetService netService(service->domain, service->type, service->name, 0);
    if (!netService.resolveWithTimeout(kBonjourResolveTimeout)) return std::nullopt;
    // The walk speaks to an IPv4 peer; the first IPv4 address of the service is the printer's.
    for (const std::string& address : netService.addressing()) {
        if (address.size() < sizeof(sockaddr_in)) continue;
        sockaddr_in in{};
        std::copy(address.begin(), address.begin() + sizeof in, reinterpret_cast<char*>(&in));
        if (in.sin_family != AF_INET) continue;
        const auto* bytes = reinterpret_cast<const unsigned char*>(address.data()) + 4;
        char text[kPrinterAddressSize];
        std::snprintf(text, sizeof text, "%d.%d.%d.%d", bytes[0], bytes[1], bytes[2], bytes[3]);
        return std::string(text);
    }
    return std::nullopt;
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
    std::optional<std::string> address;
    if (protocol == kProtocolLPD)
        address = lpdAddress(deviceURI);
    else if (protocol == kProtocolBonjour)
        address = bonjourAddress(deviceURI);
    if (!address) return std::nullopt;
    address->resize(std::min(address->find(':'), address->size()));
    // An empty peer name would let the SNMP library pick a host of its own.
    if (address->empty()) return std::nullopt;
    return address;
}

} // namespace tlco
