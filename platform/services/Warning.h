// SPDX-License-Identifier: Apache-2.0
// What the user must learn of at once, besides the line on standard error: a change that was not
// saved. The host decides how to show it.
#pragma once

#include "Export.h"

#include <functional>
#include <string>

namespace svc {

class TL_EXPORT Warning {
public:
    using Sink = std::function<void(const std::string& text)>;
    // Replaces the destination; an empty sink (the default) shows nothing.
    static void setSink(Sink sink);
    static void post(const std::string& text);
};

} // namespace svc
