// SPDX-License-Identifier: Apache-2.0
// libcups' password callback.
#include "host/CupsPassword.h"

#include "host/Translate.h"

#include <cups/cups.h>

namespace host {
namespace {

struct State {
    CupsPassword::Ask ask;
    std::string answer; // libcups copies it before the next call
    bool asked = false;
};

State& state()
{
    static State current;
    return current;
}

const char* answerFor(const char*, http_t* http, const char*, const char*, void*)
{
    State& s = state();
    s.asked = true;
    if (!s.ask) return nullptr;
    char server[256] = "";
    if (http) httpGetHostname(http, server, sizeof server);
    auto password = s.ask(cupsUser(), server);
    if (!password || password->empty()) return nullptr;
    s.answer = *password;
    return s.answer.c_str();
}

} // namespace

void CupsPassword::setAsk(Ask ask)
{
    state().ask = std::move(ask);
    cupsSetPasswordCB2(answerFor, nullptr);
}

bool CupsPassword::asked()
{
    return state().asked;
}

void CupsPassword::forget()
{
    state().asked = false;
}

std::string passwordRefusal(const std::string& queue)
{
    return trf("the CUPS server asks for a password for queue {1}", {queue});
}

} // namespace host
