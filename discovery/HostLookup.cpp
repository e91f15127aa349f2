// SPDX-License-Identifier: Apache-2.0
// getaddrinfo_a, waited for with gai_suspend up to the deadline.
#include "discovery/HostLookup.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>

#include <cerrno>
#include <memory>
#include <mutex>
#include <vector>

namespace tlco {
namespace {

using Clock = std::chrono::steady_clock;

// A request and the strings it points into, which must outlive it.
struct Lookup {
    std::string host;
    addrinfo hints{};
    gaicb request{};

    ~Lookup()
    {
        if (request.ar_result) freeaddrinfo(request.ar_result);
    }
};

// Lookups given up while the resolver still worked on them; freed once it is done.
class Abandoned {
public:
    void keep(std::unique_ptr<Lookup> lookup)
    {
        std::lock_guard guard(mutex_);
        reap();
        lookups_.push_back(std::move(lookup));
    }

private:
    void reap()
    {
        std::erase_if(lookups_, [](const auto& lookup) { return gai_error(&lookup->request) != EAI_INPROGRESS; });
    }

    std::mutex mutex_;
    std::vector<std::unique_ptr<Lookup>> lookups_;
};

Abandoned& abandoned()
{
    static Abandoned kept;
    return kept;
}

timespec timeLeft(Clock::time_point deadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::nanoseconds>(deadline - Clock::now());
    const long long ns = std::max<long long>(left.count(), 0);
    return {static_cast<time_t>(ns / 1'000'000'000), static_cast<long>(ns % 1'000'000'000)};
}

bool waitFor(Lookup& lookup, Clock::time_point deadline)
{
    const gaicb* list[] = {&lookup.request};
    while (gai_error(&lookup.request) == EAI_INPROGRESS) {
        if (Clock::now() >= deadline) return false;
        const timespec left = timeLeft(deadline);
        gai_suspend(list, 1, &left);
    }
    return true;
}

std::optional<std::string> peerOf(const addrinfo* addresses)
{
    std::optional<std::string> ipv6;
    for (const addrinfo* at = addresses; at; at = at->ai_next) {
        char text[INET6_ADDRSTRLEN] = {};
        if (at->ai_family == AF_INET) {
            const auto* in = reinterpret_cast<const sockaddr_in*>(at->ai_addr);
            if (::inet_ntop(AF_INET, &in->sin_addr, text, sizeof text)) return std::string(text);
        } else if (at->ai_family == AF_INET6 && !ipv6) {
            const auto* in6 = reinterpret_cast<const sockaddr_in6*>(at->ai_addr);
            if (::inet_ntop(AF_INET6, &in6->sin6_addr, text, sizeof text)) ipv6 = "udp6:[" + std::string(text) + "]";
        }
    }
    return ipv6;
}

} // namespace

std::optional<std::string> lookUpPeer(const std::string& host, Clock::time_point deadline)
{
    in_addr numeric{};
    if (host.starts_with("udp6:[") || ::inet_pton(AF_INET, host.c_str(), &numeric) == 1) return host;
    auto lookup = std::make_unique<Lookup>();
    lookup->host = host;
    lookup->hints.ai_family = AF_UNSPEC;
    lookup->hints.ai_socktype = SOCK_DGRAM;
    lookup->request.ar_name = lookup->host.c_str();
    lookup->request.ar_request = &lookup->hints;
    gaicb* list[] = {&lookup->request};
    if (getaddrinfo_a(GAI_NOWAIT, list, 1, nullptr) != 0) return std::nullopt;
    if (!waitFor(*lookup, deadline)) {
        if (gai_cancel(&lookup->request) != EAI_CANCELED) abandoned().keep(std::move(lookup));
        return std::nullopt;
    }
    if (gai_error(&lookup->request) != 0) return std::nullopt;
    return peerOf(lookup->request.ar_result);
}

} // namespace tlco
