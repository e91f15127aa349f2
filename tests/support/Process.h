// SPDX-License-Identifier: Apache-2.0
// Runs a program with arguments, standard input text and extra environment, and collects what it
// printed and how it ended. Bounded: a program that runs longer than the limit is killed.
#pragma once

#include <string>
#include <vector>

namespace testproc {

struct Result {
    int status = -1; // exit status; -1 when it did not exit normally
    std::string out;
    std::string err;
};

Result run(const std::vector<std::string>& argv, const std::string& input = {},
    const std::vector<std::string>& environment = {}, int timeoutSeconds = 60);

// The lines of text that start with "{", parsed by the caller.
std::vector<std::string> jsonLines(const std::string& out);

} // namespace testproc
