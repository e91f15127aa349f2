// SPDX-License-Identifier: Apache-2.0
// A person at the print window: the panel of the chosen printer, the printer list asked off the
// window's thread, Print through the same save and shouldPrint path as --print (warning first when
// the queue is stopped or reports a reason), Cancel that leaves the ticket as it was.
#pragma once

#include "cf/Dictionary.h"
#include "host/Options.h"
#include "host/PrinterSource.h"
#include "host/ProgramFiles.h"
#include "host/gui/CupsFetch.h"
#include "host/gui/PrinterList.h"

#include <functional>
#include <memory>
#include <optional>
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
    // Opens the chosen preset of the queue in use ("": its Default Settings) on its own options.
    void choosePreset(const std::string& instance);
    // Until Print succeeds or the person cancels; the exit status.
    int exec();

private:
    bool open(const Options& options, const cf::DictionaryRef& carried, std::optional<PrinterChoice> printer,
        std::string* error);
    void listed(PrinterListing listing);
    void showPrinters();
    void choosePrinter(int index);
    // Opens next; carry: the settings made so far go along.
    void switchTo(const Options& next, std::optional<PrinterChoice> printer, bool carry = true);
    // The command line named a printer (a queue or a virtual printer of its own).
    bool printerNamed() const;
    bool isCurrent(const PrinterEntry& entry) const;
    const PrinterEntry* currentEntry() const;
    void showCurrentState();
    void print();
    bool confirmQueue();
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
    std::vector<std::string> checkpoint_; // the panes as the dialog opened, for Cancel
    std::unique_ptr<Dialog> dialog_;
    std::vector<PrinterEntry> queues_; // as the server listed them
    std::vector<PrinterEntry> shown_;  // what the chooser shows
    std::string wanted_;               // the destination being opened; empty: none
    std::unique_ptr<QEventLoop> loop_;
    int status_ = 0;
    bool closed_ = false; // Print or Cancel done, perhaps before the loop runs
    CupsFetch fetch_;     // last: its threads end before anything they answer to goes
};

} // namespace host
