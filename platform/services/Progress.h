// SPDX-License-Identifier: Apache-2.0
// Long operations (a walk of the printer's table) announce themselves; the host decides how to show it.
#pragma once

#include "Export.h"

#include <functional>
#include <string>

namespace svc {

class TL_EXPORT Progress {
public:
    // begin(text) when an operation starts, end() when it is over; calls do not nest.
    struct Sink {
        std::function<void(const std::string& text)> begin;
        std::function<void()> end;
    };
    // Replaces the destination; an empty sink (the default) shows nothing.
    static void setSink(Sink sink);
    static void begin(const std::string& text);
    static void end();
};

// Announces an operation for as long as it lives.
class TL_EXPORT ProgressScope {
public:
    explicit ProgressScope(const std::string& text) { Progress::begin(text); }
    ~ProgressScope() { Progress::end(); }
    ProgressScope(const ProgressScope&) = delete;
    ProgressScope& operator=(const ProgressScope&) = delete;
};

} // namespace svc
