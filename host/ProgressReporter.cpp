// SPDX-License-Identifier: Apache-2.0
// A timer thread per announced operation, joined when the operation ends.
#include "host/ProgressReporter.h"

#include "services/Progress.h"

#include <nlohmann/json.hpp>

#include <chrono>
#include <cstdio>

namespace host {
namespace {
constexpr auto kQuietFor = std::chrono::milliseconds(500);
}

ProgressReporter::ProgressReporter(bool json) : json_(json)
{
    svc::Progress::setSink({[this](const std::string& text) { begin(text); }, [this] { end(); }});
}

ProgressReporter::~ProgressReporter()
{
    svc::Progress::setSink({});
    end();
}

void ProgressReporter::begin(const std::string& text)
{
    end();
    std::lock_guard lock(mutex_);
    running_ = true;
    timer_ = std::thread([this, text] { announceLater(text); });
}

void ProgressReporter::end()
{
    {
        std::lock_guard lock(mutex_);
        running_ = false;
    }
    ended_.notify_all();
    if (timer_.joinable()) timer_.join();
}

void ProgressReporter::announceLater(std::string text)
{
    std::unique_lock lock(mutex_);
    if (ended_.wait_for(lock, kQuietFor, [this] { return !running_; })) return;
    // stdio rather than iostreams: the main thread is inside the operation, not writing.
    if (json_) {
        std::fprintf(stdout, "%s\n", nlohmann::json{{"progress", text}}.dump().c_str());
        std::fflush(stdout);
    } else {
        std::fprintf(stderr, "printdialog: %s\n", text.c_str());
        std::fflush(stderr);
    }
}

} // namespace host
