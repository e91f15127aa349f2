// SPDX-License-Identifier: Apache-2.0
// syslog-backed log.
#include "services/SystemLog.h"

#include <string>
#include <syslog.h>

namespace svc {
namespace {

SystemLog::Sink& sink()
{
    static SystemLog::Sink current;
    return current;
}

} // namespace

void SystemLog::write(std::string_view line)
{
    if (sink()) {
        sink()(line);
        return;
    }
    std::string text(line);
    ::syslog(LOG_NOTICE, "%s", text.c_str());
}

void SystemLog::setSink(Sink newSink)
{
    sink() = std::move(newSink);
}

} // namespace svc
