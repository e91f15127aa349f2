// SPDX-License-Identifier: Apache-2.0
// The host's command line.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace host {

struct Options {
    // The printer: a CUPS queue, or a virtual printer.
    std::optional<std::string> queue;
    std::optional<std::string> ppd;
    std::string printerId = "zq4410_virtual";
    std::string deviceURI = "usb://TESSALUMA/zq4410";
    bool noPrinter = false;

    std::optional<std::string> ticket;
    std::optional<std::string> script; // a path, or "-" for standard input
    bool json = false;
    std::optional<std::string> print;
    bool gui = false;
    std::optional<std::string> bundle;
    // Each -o argument as given ("NAME=VALUE" or "NAME"), in order.
    std::vector<std::string> choices;
    // -n, -P, -t, -H and -q as the pane options they set (copies, page-ranges, job-name,
    // job-hold-until, job-priority), in order; they come after every -o.
    std::vector<std::pair<std::string, std::string>> jobChoices;
    // The FILE operands (and --print's file first): the job's documents; "-" for standard input.
    std::vector<std::string> documents;
    // Limit for each request to the CUPS server.
    int timeoutSeconds = 10;
    bool help = false;
    bool version = false;
};

// Parses argv; nothing and a one-line reason in error for a usage error.
std::optional<Options> parseOptions(int argc, char** argv, std::string* error);

// The short usage lines shown after a usage error, and the whole --help text.
std::string usageText();
std::string helpText();

} // namespace host
