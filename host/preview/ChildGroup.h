// SPDX-License-Identifier: Apache-2.0
// A helper process that leads a process group of its own, so that it ends with everything it started.
// Killed (the whole group) and reaped when the owner lets go of it.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace host::preview {

class ChildGroup {
public:
    // Descriptors the child gets as its standard input, output and error; -1: /dev/null.
    struct Streams {
        int input = -1;
        int output = -1;
        int errors = -1;
    };

    // Starts argv[0] (a path) with exactly `environment`, in `directory` (empty: the caller's),
    // every signal at its default. Null and the reason when it cannot be started.
    static std::unique_ptr<ChildGroup> spawn(const std::vector<std::string>& argv,
        const std::vector<std::string>& environment, const std::string& directory, Streams streams, std::string* error);
    ~ChildGroup();
    ChildGroup(const ChildGroup&) = delete;
    ChildGroup& operator=(const ChildGroup&) = delete;

    // True once the child has ended; it is not reaped, so its pid (the group's id) stays taken.
    bool ended() const;
    // Kills the whole group, reaps the child; its wait status, as waitpid gives it.
    int stop();

private:
    explicit ChildGroup(pid_t pid) : pid_(pid) { }
    pid_t pid_;
    std::optional<int> status_;
};

} // namespace host::preview
