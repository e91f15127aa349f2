// SPDX-License-Identifier: Apache-2.0
// Progress announcements, forwarded to the sink the host installs.
#include "services/Progress.h"

namespace svc {
namespace {

Progress::Sink& sink()
{
    static Progress::Sink current;
    return current;
}

} // namespace

void Progress::setSink(Sink newSink)
{
    sink() = std::move(newSink);
}

void Progress::begin(const std::string& text)
{
    if (sink().begin) sink().begin(text);
}

void Progress::end()
{
    if (sink().end) sink().end();
}

} // namespace svc
