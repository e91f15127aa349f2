// SPDX-License-Identifier: Apache-2.0
// Shows the plug-in's long operations: one that is still running after half a second gets one line,
// on standard error in text mode or as {"progress": TEXT} on standard output in JSON mode.
#pragma once

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

namespace host {

class ProgressReporter {
public:
    // Installs itself as the progress sink until it goes.
    explicit ProgressReporter(bool json);
    ~ProgressReporter();
    ProgressReporter(const ProgressReporter&) = delete;
    ProgressReporter& operator=(const ProgressReporter&) = delete;

private:
    void begin(const std::string& text);
    void end();
    void announceLater(std::string text);

    bool json_;
    std::mutex mutex_;
    std::condition_variable ended_;
    bool running_ = false;
    std::thread timer_;
};

} // namespace host
