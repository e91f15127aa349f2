// SPDX-License-Identifier: Apache-2.0
// A DNS-SD service instance to resolve to addresses, after CFNetService; backed by Avahi.
#pragma once

#include "Export.h"

#include <memory>
#include <string>
#include <vector>

namespace svc {

class TL_EXPORT NetService {
public:
    NetService(std::string domain, std::string type, std::string name, int port);

    const std::string& domain() const { return domain_; }
    const std::string& type() const { return type_; }
    const std::string& name() const { return name_; }

    // Resolves synchronously, waiting at most timeout seconds. False on failure or time-out, and
    // when no Avahi daemon is running.
    bool resolveWithTimeout(double timeout);
    // The resolved socket addresses (struct sockaddr bytes: sockaddr_in or sockaddr_in6).
    const std::vector<std::string>& addressing() const { return addresses_; }

private:
    std::string domain_;
    std::string type_;
    std::string name_;
    int port_;
    std::vector<std::string> addresses_;
};

} // namespace svc
