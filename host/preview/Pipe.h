// SPDX-License-Identifier: Apache-2.0
// A descriptor that closes itself, and the pipes to and from the preview's helper programs.
#pragma once

#include <string>

namespace host::preview {

class Fd {
public:
    Fd() = default;
    explicit Fd(int fd) : fd_(fd) { }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd() { reset(); }

    int get() const { return fd_; }
    void reset();
    void adopt(int fd);

    // A pipe whose ends close on exec; false (errno set) when none can be had.
    static bool pipe(Fd& readEnd, Fd& writeEnd);

    // Reads what is there into `into`, keeping at most `limit` bytes (the first ones, or the last
    // ones when `keepTail`); closes the descriptor at end of file or on an error.
    void readInto(std::string& into, size_t limit, bool keepTail);
    // Writes all of `bytes`; false when the reader has gone.
    bool writeAll(const std::string& bytes);

private:
    int fd_ = -1;
};

} // namespace host::preview
