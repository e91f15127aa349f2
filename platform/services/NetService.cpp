// Placeholder until Avahi resolution lands: nothing resolves.
#include "services/NetService.h"

namespace svc {

NetService::NetService(std::string domain, std::string type, std::string name, int port)
    : domain_(std::move(domain)), type_(std::move(type)), name_(std::move(name)), port_(port)
{
}

bool NetService::resolveWithTimeout(double) { return false; }

} // namespace svc
