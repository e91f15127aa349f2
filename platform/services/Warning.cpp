// SPDX-License-Identifier: Apache-2.0
// Warnings, forwarded to the sink the host installs.
#include "services/Warning.h"

namespace svc {
namespace {

Warning::Sink& sink()
{
    static Warning::Sink current;
    return current;
}

} // namespace

void Warning::setSink(Sink newSink)
{
    sink() = std::move(newSink);
}

void Warning::post(const std::string& text)
{
    if (sink()) sink()(text);
}

} // namespace svc
