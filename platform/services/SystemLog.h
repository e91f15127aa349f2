// SPDX-License-Identifier: Apache-2.0
// The system log (syslog), with a sink that tests can redirect.
#pragma once

#include "Export.h"

#include <functional>
#include <string_view>

namespace svc {

class TL_EXPORT SystemLog {
public:
    using Sink = std::function<void(std::string_view line)>;
    static void write(std::string_view line);
    // Replaces the destination; an empty sink restores syslog.
    static void setSink(Sink sink);
};

} // namespace svc
