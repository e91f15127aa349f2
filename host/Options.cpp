// Command-line parsing.
#include "host/Options.h"

#include <string_view>

namespace host {

const char* const kUsage =
    "usage: printdialog [--queue NAME | [--ppd FILE] [--printer-id ID] [--device-uri URI] | --no-printer]\n"
    "                   [--ticket FILE] [--script FILE|-] [--json] [--print FILE] [--gui] [--bundle DIR]\n";

std::optional<Options> parseOptions(int argc, char** argv, std::string* error)
{
    auto fail = [error](std::string message) -> std::optional<Options> {
        if (error) *error = std::move(message);
        return std::nullopt;
    };
    Options options;
    bool virtualGiven = false;
    for (int i = 1; i < argc; ++i) {
        std::string_view arg = argv[i];
        if (arg == "--json") {
            options.json = true;
            continue;
        }
        if (arg == "--gui") {
            options.gui = true;
            continue;
        }
        if (arg == "--no-printer") {
            options.noPrinter = virtualGiven = true;
            continue;
        }
        std::optional<std::string>* into = nullptr;
        std::string* plain = nullptr;
        if (arg == "--queue") into = &options.queue;
        else if (arg == "--ppd") into = &options.ppd;
        else if (arg == "--ticket") into = &options.ticket;
        else if (arg == "--script") into = &options.script;
        else if (arg == "--print") into = &options.print;
        else if (arg == "--bundle") into = &options.bundle;
        else if (arg == "--printer-id") plain = &options.printerId;
        else if (arg == "--device-uri") plain = &options.deviceURI;
        else return fail("unknown argument: " + std::string(arg));
        if (i + 1 >= argc) return fail(std::string(arg) + " needs a value");
        if (into) *into = argv[++i];
        if (plain) *plain = argv[++i];
        if (arg == "--ppd" || plain) virtualGiven = true;
    }
    if (options.queue && virtualGiven)
        return fail("--queue cannot be combined with --ppd, --printer-id, --device-uri or --no-printer");
    if (options.script == "-" && options.print == "-") return fail("--script - and --print - both read standard input");
    // A person at the window may still choose a queue there.
    if (options.print && !options.queue && !(options.gui && !options.script)) return fail("--print needs --queue");
    return options;
}

} // namespace host
