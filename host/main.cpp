// SPDX-License-Identifier: Apache-2.0
// printdialog: the print dialog stand-in that loads the "Color Options" panel.
#include "cf/File.h"
#include "host/CommandLineChoices.h"
#include "host/CupsPassword.h"
#include "host/Dialog.h"
#include "host/Gui.h"
#include "host/Inspector.h"
#include "host/JobOptions.h"
#include "host/JobSubmitter.h"
#include "host/Options.h"
#include "host/PrintJob.h"
#include "host/ProgramFiles.h"
#include "host/ProgressReporter.h"
#include "host/ScriptRunner.h"
#include "host/TicketFile.h"
#include "host/Translate.h"
#include "host/WarningPrinter.h"

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
    return cf::File::folderOf(exe);
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

// Print after the script: a job on a queue, the settings written on the sample printer.
bool print(host::Dialog& dialog, host::JobSubmitter& documents, const host::Options& options, std::string* error)
{
    if (!host::panelAgreesToPrint(dialog, error)) return false;
    if (!options.queue) return !host::writeSettingsInstead(dialog, options, std::cout, error).empty();
    return host::submitJob(dialog, documents, options, std::cout, error);
}

int runDialog(const host::Options& options, const host::ProgramFiles& files, host::Gui* gui)
{
    std::string error;
    std::vector<std::string> lines;
    if (options.script && !readLines(*options.script, lines))
        return failure(2, host::trf("cannot read script {1}", {*options.script}));

    if (!host::CommandLineChoices::checkJobValues(options, &error)) return failure(1, error);
    std::unique_ptr<host::JobSubmitter> document;
    if (!options.documents.empty() && !(document = host::JobSubmitter::open(options.documents, &error)))
        return failure(1, error);

    if (gui && !options.script) return gui->runForPerson(options, files, document.get());

    auto dialog = host::Dialog::open(options, files, &error);
    if (!dialog) return failure(1, error);
    if (document) dialog->setDocuments(document->readable());
    std::optional<host::CommandLineChoices> choices = host::CommandLineChoices();
    if (!options.choices.empty() || !options.jobChoices.empty())
        choices = host::CommandLineChoices::check(options, *dialog, &error);
    if (!choices) return failure(1, error);
    // The window lets go of the panel's widgets before the panel goes.
    struct Detach {
        host::Gui* gui;
        ~Detach()
        {
            if (gui) gui->detach();
        }
    } detach{gui};
    if (gui) gui->attach(*dialog);

    {
        host::ProgressReporter progress(options.json);
        host::WarningPrinter warnings(options.json, std::cout);
        host::ScriptRunner runner(*dialog, std::cout, options.json);
        runner.setHooks(gui);
        if (!choices->empty())
            runner.setAfterRestore([&](std::string* reason) { return choices->apply(*dialog, reason); });
        if (options.script) {
            if (!runner.run(lines)) return failure(runner.failureStatus(), runner.error());
        } else {
            for (const char* step : {"panelView", "restore", "summary", "dump"})
                if (!runner.command(step)) return failure(runner.failureStatus(), runner.error());
        }
        if (document && !print(*dialog, *document, options, &error)) return failure(1, error);
    }

    host::storePaneChoices(*dialog);
    if (options.ticket &&
        !host::writeTicket(*options.ticket, dialog->ticket().values(), dialog->ticketAsRead(), &error))
        return failure(1, error);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    // No terminal prompt, which no time limit would bound: the window asks in its own dialog.
    host::CupsPassword::setAsk({});
    host::setLocaleFromEnvironment();
    const host::ProgramFiles files = host::ProgramFiles::find(programDir());
    host::bindTranslations(files.locale);
    std::string error;
    auto options = host::parseOptions(argc, argv, &error);
    if (!options) {
        std::cerr << "printdialog: " << error << "\n" << host::usageText();
        return 2;
    }
    if (options->help) {
        std::cout << host::helpText();
        return 0;
    }
    if (options->version) {
        std::cout << "printdialog " << PRINTDIALOG_VERSION << "\n";
        return 0;
    }
    std::unique_ptr<host::Gui> gui;
    if (options->gui && !(gui = host::loadGui(files.guiModule, argc, argv, &error))) return failure(2, error);
    return runDialog(*options, files, gui.get());
}
