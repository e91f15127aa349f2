// printdialog: the print dialog stand-in that loads the "Color Options" panel.
#include "host/Dialog.h"
#include "host/Inspector.h"
#include "host/JobSubmitter.h"
#include "host/Options.h"
#include "host/ScriptRunner.h"
#include "host/TicketFile.h"
#include "host/gui/GuiSession.h"

#include <clocale>
#include <fstream>
#include <iostream>
#include <limits.h>
#include <unistd.h>

namespace {

std::string programDir()
{
    char path[PATH_MAX] = {};
    ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
    std::string exe = n > 0 ? std::string(path, static_cast<size_t>(n)) : std::string(".");
    size_t slash = exe.rfind('/');
    return slash == std::string::npos ? std::string(".") : exe.substr(0, slash);
}

bool readLines(const std::string& source, std::vector<std::string>& lines)
{
    std::ifstream file;
    std::istream* in = &std::cin;
    if (source != "-") {
        file.open(source);
        if (!file) return false;
        in = &file;
    }
    for (std::string line; std::getline(*in, line);) lines.push_back(line);
    return true;
}

int failure(int status, const std::string& reason)
{
    std::cerr << "printdialog: " << reason << "\n";
    return status;
}

// What the print button does: the panel's last word, then the job; false and a reason when no job was made.
bool printJob(host::Dialog& dialog, host::JobSubmitter& document, bool json, std::string* error)
{
    if (!dialog.panel().shouldPrint()) {
        *error = "the panel declined to print";
        return false;
    }
    int job = document.submit(dialog.printer().printer->id(), dialog.ticket().values(), error);
    if (!job) return false;
    if (json)
        std::cout << nlohmann::json{{"job", job}}.dump() << "\n";
    else
        std::cout << "job: " << job << "\n";
    std::cout.flush();
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    std::setlocale(LC_ALL, "");
    std::string error;
    auto options = host::parseOptions(argc, argv, &error);
    if (!options) {
        std::cerr << "printdialog: " << error << "\n" << host::kUsage;
        return 2;
    }
    std::unique_ptr<host::GuiSession> gui;
    if (options->gui && !(gui = host::GuiSession::start(argc, argv, &error))) return failure(2, error);

    std::vector<std::string> lines;
    if (options->script && !readLines(*options->script, lines))
        return failure(2, "cannot read script " + *options->script);

    std::unique_ptr<host::JobSubmitter> document;
    if (options->print && !(document = host::JobSubmitter::open(*options->print, &error))) return failure(1, error);

    if (gui && !options->script) return gui->runForPerson(*options, programDir(), document.get());

    auto dialog = host::Dialog::open(*options, programDir(), &error);
    if (!dialog) return failure(1, error);
    // The window lets go of the panel's widgets before the panel goes.
    struct Detach {
        host::GuiSession* gui;
        ~Detach() { if (gui) gui->detach(); }
    } detach{gui.get()};
    if (gui) gui->attach(*dialog);

    {
        host::ScriptRunner runner(*dialog, std::cout, options->json);
        runner.setHooks(gui.get());
        if (options->script) {
            if (!runner.run(lines)) return failure(2, runner.error());
        } else {
            for (const char* step : {"panelView", "restore", "summary", "dump"})
                runner.command(step);
        }
        if (document && !printJob(*dialog, *document, options->json, &error)) return failure(1, error);
    }

    if (options->ticket && !host::writeTicket(*options->ticket, dialog->ticket().values(), &error))
        return failure(1, error);
    return 0;
}
