// SPDX-License-Identifier: Apache-2.0
// Each program is wrapped so that its end is one line on standard output: "PREVIEW-DONE n", or
// "PREVIEW-FAILED n" with the error's name; Ghostscript's own messages come before it.
#include "host/preview/GhostscriptServer.h"

#include <poll.h>

namespace host::preview {
namespace {

using Clock = std::chrono::steady_clock;

constexpr size_t kMessageLimit = 64 << 10;
// Ghostscript's caches grow a little with every page (some 40 KB); a fresh process now and then keeps
// a long dialog session small.
constexpr int kPagesPerProcess = 200;
// How often a cancel is looked for (milliseconds): a warm-up in the background gives way at once to
// the sheet a person asks for.
constexpr long kCancelCheck = 5;

std::string wrapped(const std::string& program, int serial)
{
    const std::string n = std::to_string(serial);
    return "{ " + program + " } stopped { (\\nPREVIEW-FAILED " + n +
        " ) print $error /errorname get =only (\\n) print } { (\\nPREVIEW-DONE " + n + "\\n) print } ifelse flush\n";
}

} // namespace

GhostscriptServer::GhostscriptServer(
    std::vector<std::string> arguments, std::vector<std::string> environment, std::string folder)
    : arguments_(std::move(arguments)), environment_(std::move(environment)), folder_(std::move(folder))
{
}

GhostscriptServer::~GhostscriptServer()
{
    stop();
}

bool GhostscriptServer::start(std::string* error)
{
    if (child_) return true;
    Fd inputRead, outputWrite;
    if (!Fd::pipe(inputRead, input_) || !Fd::pipe(output_, outputWrite)) {
        if (error) *error = "no pipe to Ghostscript";
        return false;
    }
    // Without a file to run, Ghostscript reads statements from its standard input one line at a time.
    child_ = ChildGroup::spawn(
        arguments_, environment_, folder_, {inputRead.get(), outputWrite.get(), outputWrite.get()}, error);
    return child_ != nullptr;
}

void GhostscriptServer::stop()
{
    pages_ = 0;
    child_.reset();
    input_.reset();
    output_.reset();
}

ServerOutcome GhostscriptServer::run(
    const std::string& program, std::chrono::milliseconds limit, const std::atomic<bool>* cancel)
{
    ServerOutcome outcome;
    if (!child_ && !start(&outcome.messages)) return outcome;
    const int serial = ++serial_;
    if (!input_.writeAll(wrapped(program, serial))) {
        stop();
        outcome.messages = "Ghostscript ended";
        return outcome;
    }
    outcome = await(serial, limit, cancel);
    if (outcome.ok) ++pages_;
    // After an error the interpreter's state is not to be trusted for the next document.
    if (!outcome.ok || outcome.messages.find("Error") != std::string::npos || serial_ % kPagesPerProcess == 0) stop();
    return outcome;
}

ServerOutcome GhostscriptServer::await(int serial, std::chrono::milliseconds limit, const std::atomic<bool>* cancel)
{
    ServerOutcome outcome;
    const std::string done = "PREVIEW-DONE " + std::to_string(serial) + "\n";
    const std::string failed = "PREVIEW-FAILED " + std::to_string(serial) + " ";
    const auto deadline = Clock::now() + limit;
    std::string text;
    while (output_.get() >= 0) {
        if (cancel && cancel->load()) {
            outcome.cancelled = true;
            break;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) {
            outcome.timedOut = true;
            break;
        }
        pollfd fd{output_.get(), POLLIN, 0};
        if (::poll(&fd, 1, static_cast<int>(std::min<long>(left, kCancelCheck))) > 0)
            output_.readInto(text, kMessageLimit, true);
        if (text.ends_with(done)) {
            outcome.ok = true;
            text.resize(text.size() - done.size());
            break;
        }
        if (size_t at = text.rfind(failed); at != std::string::npos && text.back() == '\n') {
            text = text.substr(0, at) + "Error: " + text.substr(at + failed.size());
            break;
        }
    }
    outcome.messages = text;
    return outcome;
}

} // namespace host::preview
