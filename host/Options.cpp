// SPDX-License-Identifier: Apache-2.0
// Command-line parsing with getopt_long.
#include "host/Options.h"

#include "host/Translate.h"

#include <algorithm>
#include <charconv>
#include <getopt.h>

namespace host {
namespace {

enum LongOnly {
    kQueue = 1000,
    kPpd,
    kPrinterId,
    kDeviceUri,
    kNoPrinter,
    kTicket,
    kScript,
    kJson,
    kPrint,
    kGui,
    kBundle,
    kTimeout,
    kHelp,
    kVersion,
};

constexpr option kLongOptions[] = {
    {"queue", required_argument, nullptr, kQueue},
    {"ppd", required_argument, nullptr, kPpd},
    {"printer-id", required_argument, nullptr, kPrinterId},
    {"device-uri", required_argument, nullptr, kDeviceUri},
    {"no-printer", no_argument, nullptr, kNoPrinter},
    {"ticket", required_argument, nullptr, kTicket},
    {"script", required_argument, nullptr, kScript},
    {"json", no_argument, nullptr, kJson},
    {"print", required_argument, nullptr, kPrint},
    {"gui", no_argument, nullptr, kGui},
    {"bundle", required_argument, nullptr, kBundle},
    {"timeout", required_argument, nullptr, kTimeout},
    {"help", no_argument, nullptr, kHelp},
    {"version", no_argument, nullptr, kVersion},
    {nullptr, 0, nullptr, 0},
};

// The pane option an lp letter sets.
const char* jobOptionOf(int letter)
{
    switch (letter) {
    case 'n':
        return "copies";
    case 'P':
        return "page-ranges";
    case 't':
        return "job-name";
    case 'H':
        return "job-hold-until";
    default:
        return "job-priority";
    }
}

std::optional<int> seconds(const char* text)
{
    int value = 0;
    const char* end = text + std::char_traits<char>::length(text);
    auto [stop, ec] = std::from_chars(text, end, value);
    if (ec != std::errc() || stop != end || value < 1 || value > 3600) return std::nullopt;
    return value;
}

// Applies one recognised option; false and a reason for a bad value.
bool apply(int code, const char* value, Options& options, bool& virtualGiven, std::string& reason)
{
    switch (code) {
    case 'o':
        options.choices.emplace_back(value);
        break;
    case 'd':
        options.queue = value;
        break;
    case 'n':
    case 'P':
    case 't':
    case 'H':
    case 'q':
        options.jobChoices.emplace_back(jobOptionOf(code), value);
        break;
    case kQueue:
        options.queue = value;
        break;
    case kPpd:
        options.ppd = value;
        virtualGiven = true;
        break;
    case kPrinterId:
        options.printerId = value;
        virtualGiven = true;
        break;
    case kDeviceUri:
        options.deviceURI = value;
        virtualGiven = true;
        break;
    case kNoPrinter:
        options.noPrinter = virtualGiven = true;
        break;
    case kTicket:
        options.ticket = value;
        break;
    case kScript:
        options.script = value;
        break;
    case kJson:
        options.json = true;
        break;
    case kPrint:
        options.print = value;
        break;
    case kGui:
        options.gui = true;
        break;
    case kBundle:
        options.bundle = value;
        break;
    case kHelp:
        options.help = true;
        break;
    case kVersion:
        options.version = true;
        break;
    case kTimeout:
        if (auto limit = seconds(value)) {
            options.timeoutSeconds = *limit;
            break;
        }
        reason = trf("--timeout takes a whole number of seconds from 1 to 3600, not {1}", {value});
        return false;
    }
    return true;
}

} // namespace

std::optional<Options> parseOptions(int argc, char** argv, std::string* error)
{
    auto fail = [error](std::string message) -> std::optional<Options> {
        if (error) *error = std::move(message);
        return std::nullopt;
    };
    Options options;
    bool virtualGiven = false;
    std::string reason;
    ::opterr = 0;
    ::optind = 0; // also resets getopt's state, so that parsing can run more than once
    for (;;) {
        int index = -1;
        const int code = ::getopt_long(argc, argv, ":o:d:n:P:t:H:q:", kLongOptions, &index);
        if (code == -1) break;
        // The word getopt stopped at; for an unknown letter inside a group of them, that letter.
        std::string given = argv[::optind - 1] ? argv[::optind - 1] : "";
        if (::optopt > 0 && ::optopt < 256) given = "-" + std::string(1, static_cast<char>(::optopt));
        if (code == '?') return fail(trf("unknown argument: {1}", {given}));
        if (code == ':') return fail(trf("{1} needs a value", {given}));
        if (!apply(code, ::optarg, options, virtualGiven, reason)) return fail(reason);
    }
    if (options.print) options.documents.push_back(*options.print);
    for (int i = ::optind; i < argc; ++i) options.documents.emplace_back(argv[i]);
    if (options.help || options.version) return options;
    if (options.queue && virtualGiven)
        return fail(tr("--queue cannot be combined with --ppd, --printer-id, --device-uri or --no-printer"));
    const auto fromStandardInput = std::count(options.documents.begin(), options.documents.end(), "-");
    if (options.script == "-" && fromStandardInput > 0)
        return fail(tr("--script - and --print - both read standard input"));
    if (fromStandardInput > 1) return fail(tr("standard input can be only one of the documents"));
    // A person at the window may still choose a queue there.
    if (options.print && !options.queue && !(options.gui && !options.script)) return fail(tr("--print needs --queue"));
    return options;
}

} // namespace host
