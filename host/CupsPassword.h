// SPDX-License-Identifier: Apache-2.0
// Who answers when the CUPS server asks for a password. libcups would prompt on the terminal and wait
// with no limit; the dialog asks in its window, and a script is never asked.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace host {

class CupsPassword {
public:
    // The password for user at the server, or nothing when the person declines.
    using Ask = std::function<std::optional<std::string>(const std::string& user, const std::string& server)>;

    // Installs ask as libcups' password callback; an empty ask (the start of every run) answers no
    // one. Call on the thread that talks to CUPS.
    static void setAsk(Ask ask);
    // Whether the server asked for a password since the last forget(): a request that failed then
    // failed for want of one.
    static bool asked();
    static void forget();
};

// "the CUPS server asks for a password for queue QUEUE": what a request that no password let in
// ends with.
std::string passwordRefusal(const std::string& queue);

} // namespace host
