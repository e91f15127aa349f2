// SPDX-License-Identifier: Apache-2.0
// DNS-SD service resolution through the Avahi daemon, bounded by the caller's time-out. No daemon,
// no answer in time or a failed look-up all come back as false.
#include "services/NetService.h"

#include <avahi-client/client.h>
#include <avahi-client/lookup.h>
#include <avahi-common/error.h>
#include <avahi-common/simple-watch.h>

#include <netinet/in.h>
#include <sys/socket.h>

#include <chrono>
#include <cstring>
#include <memory>

namespace svc {

namespace {

struct PollFree {
    void operator()(AvahiSimplePoll* poll) const { avahi_simple_poll_free(poll); }
};
struct ClientFree {
    void operator()(AvahiClient* client) const { avahi_client_free(client); }
};
struct ResolverFree {
    void operator()(AvahiServiceResolver* resolver) const { avahi_service_resolver_free(resolver); }
};

// One look-up per address family, so that an IPv4 address is found even where IPv6 answers first.
struct Lookup {
    bool done = false;
    std::string address;
};

struct Resolution {
    Lookup inet;
    Lookup inet6;
    bool clientFailed = false;
};

std::string socketAddress(const AvahiAddress& address, uint16_t port, AvahiIfIndex interface)
{
    if (address.proto == AVAHI_PROTO_INET) {
        sockaddr_in in{};
        in.sin_family = AF_INET;
        in.sin_port = htons(port);
        in.sin_addr.s_addr = address.data.ipv4.address;
        return std::string(reinterpret_cast<const char*>(&in), sizeof in);
    }
    sockaddr_in6 in6{};
    in6.sin6_family = AF_INET6;
    in6.sin6_port = htons(port);
    std::memcpy(&in6.sin6_addr, address.data.ipv6.address, sizeof in6.sin6_addr);
    in6.sin6_scope_id = interface > 0 ? static_cast<uint32_t>(interface) : 0;
    return std::string(reinterpret_cast<const char*>(&in6), sizeof in6);
}

void onResolved(AvahiServiceResolver*, AvahiIfIndex interface, AvahiProtocol, AvahiResolverEvent event, const char*,
    const char*, const char*, const char*, const AvahiAddress* address, uint16_t port, AvahiStringList*,
    AvahiLookupResultFlags, void* userdata)
{
    auto* lookup = static_cast<Lookup*>(userdata);
    if (lookup->done) return;
    lookup->done = true;
    if (event == AVAHI_RESOLVER_FOUND && address) lookup->address = socketAddress(*address, port, interface);
}

void onClientState(AvahiClient*, AvahiClientState state, void* userdata)
{
    if (state == AVAHI_CLIENT_FAILURE) static_cast<Resolution*>(userdata)->clientFailed = true;
}

} // namespace

NetService::NetService(std::string domain, std::string type, std::string name, int port)
    : domain_(std::move(domain)), type_(std::move(type)), name_(std::move(name)), port_(port)
{
}

bool NetService::resolveWithTimeout(double timeout)
{
    addresses_.clear();
    if (!(timeout > 0) || name_.empty() || type_.empty()) return false;
    const auto deadline = std::chrono::steady_clock::now() +
        std::chrono::duration_cast<std::chrono::steady_clock::duration>(std::chrono::duration<double>(timeout));

    std::unique_ptr<AvahiSimplePoll, PollFree> poll(avahi_simple_poll_new());
    if (!poll) return false;
    Resolution resolution;
    int error = 0;
    std::unique_ptr<AvahiClient, ClientFree> client(avahi_client_new(
        avahi_simple_poll_get(poll.get()), static_cast<AvahiClientFlags>(0), onClientState, &resolution, &error));
    if (!client) return false;

    const char* domain = domain_.empty() ? nullptr : domain_.c_str();
    auto resolve = [&](AvahiProtocol family, Lookup& lookup) {
        return std::unique_ptr<AvahiServiceResolver, ResolverFree>(
            avahi_service_resolver_new(client.get(), AVAHI_IF_UNSPEC, AVAHI_PROTO_UNSPEC, name_.c_str(), type_.c_str(),
                domain, family, static_cast<AvahiLookupFlags>(0), onResolved, &lookup));
    };
    auto inet = resolve(AVAHI_PROTO_INET, resolution.inet);
    auto inet6 = resolve(AVAHI_PROTO_INET6, resolution.inet6);
    if (!inet) resolution.inet.done = true;
    if (!inet6) resolution.inet6.done = true;

    while (!(resolution.inet.done && resolution.inet6.done) && !resolution.clientFailed) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) break;
        if (avahi_simple_poll_iterate(poll.get(), static_cast<int>(left.count())) != 0) break;
    }
    // Resolvers go before the client that owns their connection.
    inet.reset();
    inet6.reset();

    for (const Lookup* lookup : {&resolution.inet, &resolution.inet6})
        if (!lookup->address.empty()) addresses_.push_back(lookup->address);
    return !addresses_.empty();
}

} // namespace svc
