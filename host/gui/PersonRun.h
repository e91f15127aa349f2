// SPDX-License-Identifier: Apache-2.0
// A person at the print window: the panel of the chosen printer, Print through the same save and
// shouldPrint path as --print, Cancel that leaves the ticket as it was.
#pragma once

#include "cf/Dictionary.h"
#include "host/Options.h"
#include "host/ProgramFiles.h"
#include "host/gui/PrinterList.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QEventLoop;

namespace ui {
class View;
namespace qt {
class Mirror;
}
} // namespace ui

namespace host {

class Dialog;
class JobSubmitter;
class PrintWindow;

class PersonRun {
public:
    PersonRun(PrintWindow& window, ui::qt::Mirror& mirror, const Options& options, ProgramFiles files,
        JobSubmitter* document);
    ~PersonRun();
    // Shows a dialog's panel in the window (null: lets go of the one shown).
    void setHooks(std::function<void(Dialog*, ui::View*)> show) { show_ = std::move(show); }
    // Why Print must wait (a text in a pane that was refused); empty when it need not.
    void setPending(std::function<std::string()> pending) { pending_ = std::move(pending); }
    // Until Print succeeds or the person cancels; the exit status.
    int exec();
    // Opens the chosen preset of the queue in use ("": its Default Settings).
    void choosePreset(const std::string& instance);

private:
    bool open(const Options& options, const cf::DictionaryRef& carried, std::string* error);
    void listPrinters();
    void choosePrinter(int index);
    // Opens the dialog anew; carry: the settings made so far go along.
    void reopen(Options next, bool carry);
    void print();
    bool finish(std::string* error);
    void warn(const std::string& text);
    void close(int status);
    void unwire();

    PrintWindow& window_;
    ui::qt::Mirror& mirror_;
    Options options_;
    Options current_;
    ProgramFiles files_;
    JobSubmitter* document_;
    std::function<void(Dialog*, ui::View*)> show_;
    std::function<std::string()> pending_;
    std::unique_ptr<Dialog> dialog_;
    std::vector<std::string> checkpoint_; // the panes as the dialog opened, for Cancel
    std::vector<PrinterEntry> printers_;
    std::unique_ptr<QEventLoop> loop_;
    int status_ = 0;
    bool closed_ = false; // Print or Cancel done, perhaps before the loop runs
};

} // namespace host
