// SPDX-License-Identifier: Apache-2.0
// The window's Print, Cancel and printer chooser.
#include "host/gui/PersonRun.h"

#include "cf/File.h"
#include "host/CommandLineChoices.h"
#include "host/Dialog.h"
#include "host/JobOptions.h"
#include "host/JobSubmitter.h"
#include "host/PrintJob.h"
#include "host/TicketFile.h"
#include "host/Translate.h"
#include "host/gui/PrintWindow.h"
#include "ui/qt/Mirror.h"

#include <QEventLoop>
#include <QMessageBox>
#include <QPushButton>

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <system_error>

namespace host {
namespace {

QString tq(const std::string& text)
{
    return QString::fromStdString(text);
}

} // namespace

PersonRun::PersonRun(
    PrintWindow& window, ui::qt::Mirror& mirror, const Options& options, ProgramFiles files, JobSubmitter* document)
    : window_(window), mirror_(mirror), options_(options), current_(options), files_(std::move(files)),
      document_(document), fetch_(options.timeoutSeconds)
{
}

PersonRun::~PersonRun()
{
    if (show_) show_(nullptr, nullptr);
    dialog_.reset();
}

int PersonRun::exec()
{
    // Wired before the window first shows, which is while the panel still opens: a click then counts.
    window_.onPrint = [this] { print(); };
    window_.onCancel = [this] {
        // As Qt's dialog does: Cancel puts the model back as it was.
        if (dialog_) dialog_->panes().revert(checkpoint_);
        close(0);
    };
    window_.onPrinterChosen = [this](int index) { choosePrinter(index); };
    std::string error;
    if (!open(options_, nullptr, std::nullopt, &error)) {
        unwire();
        std::cerr << "printdialog: " << error << std::endl;
        QMessageBox::warning(nullptr, tq(tr("Print")), tq(error));
        return 1;
    }
    if (!closed_) {
        showPrinters();
        window_.setPrinterStatus(tr("Looking for printers\u2026"));
        window_.show();
        // The server may be slow or silent: the window takes input while it is asked.
        fetch_.listPrinters([this](PrinterListing listing) { listed(std::move(listing)); });
        loop_ = std::make_unique<QEventLoop>();
        loop_->exec();
    }
    unwire();
    window_.hide();
    return status_;
}

void PersonRun::unwire()
{
    window_.onPrint = nullptr;
    window_.onCancel = nullptr;
    window_.onPrinterChosen = nullptr;
}

bool PersonRun::open(
    const Options& options, const cf::DictionaryRef& carried, std::optional<PrinterChoice> printer, std::string* error)
{
    auto dialog = Dialog::open(options, files_, error, std::move(printer));
    if (!dialog) return false;
    if (document_) dialog->setDocuments(document_->readable());
    std::optional<CommandLineChoices> choices = CommandLineChoices();
    if (!options.choices.empty() || !options.jobChoices.empty())
        choices = CommandLineChoices::check(options, *dialog, error);
    if (!choices) return false;
    if (carried) {
        dialog->ticket() = pm::PrintSettings(carried);
        if (dialog_) dialog->setTicketAsRead(dialog_->ticketAsRead());
    }
    if (show_) show_(nullptr, nullptr);
    dialog_ = std::move(dialog);
    current_ = options;
    ui::View* view = dialog_->panel().panelView();
    dialog_->panel().restoreValuesAndReturnError(nullptr);
    if (!choices->apply(*dialog_, error)) return false;
    checkpoint_ = dialog_->panes().checkpoint();
    if (show_) show_(dialog_.get(), view);
    return true;
}

bool PersonRun::printerNamed() const
{
    const Options plain;
    return options_.queue || options_.ppd || options_.noPrinter || options_.printerId != plain.printerId ||
        options_.deviceURI != plain.deviceURI;
}

void PersonRun::listed(PrinterListing listing)
{
    queues_ = std::move(listing.printers);
    showPrinters();
    if (listing.error) window_.setPrinterStatus(tr("No printer list: ") + *listing.error, true);
    // The CUPS default in place of the sample printer, while the person has not begun on its panel.
    const bool hasDefault = !queues_.empty() && queues_.front().isDefault;
    if (!printerNamed() && hasDefault && !window_.touched() && wanted_.empty()) choosePrinter(1);
}

void PersonRun::showPrinters()
{
    shown_.clear();
    if (!options_.queue) {
        PrinterEntry sample;
        sample.title = tr("Sample printer") + " (" + cf::File::nameOf(options_.ppd.value_or("zq4410.ppd")) + ")";
        shown_.push_back(sample);
    }
    shown_.insert(shown_.end(), queues_.begin(), queues_.end());
    auto named = [this](const PrinterEntry& entry) { return entry.destination() == options_.queue; };
    if (options_.queue && std::none_of(shown_.begin(), shown_.end(), named)) {
        PrinterEntry entry;
        entry.queue = options_.queue;
        entry.title = *options_.queue;
        shown_.insert(shown_.begin(), entry);
    }
    int current = 0;
    for (size_t i = 0; i < shown_.size(); ++i)
        if (isCurrent(shown_[i])) current = static_cast<int>(i);
    window_.setPrinters(shown_, current);
    showCurrentState();
}

bool PersonRun::isCurrent(const PrinterEntry& entry) const
{
    // QUEUE/INSTANCE names an instance: the whole destination counts, not the queue alone.
    return entry.destination() == current_.queue.value_or("");
}

const PrinterEntry* PersonRun::currentEntry() const
{
    for (const PrinterEntry& entry : shown_)
        if (isCurrent(entry)) return &entry;
    return nullptr;
}

void PersonRun::showCurrentState()
{
    const PrinterEntry* entry = currentEntry();
    if (entry && entry->needsWarning())
        window_.setPrinterStatus(stateWords(*entry), true);
    else
        window_.setPrinterStatus({});
}

void PersonRun::choosePrinter(int index)
{
    if (index < 0 || static_cast<size_t>(index) >= shown_.size()) return;
    const PrinterEntry entry = shown_[static_cast<size_t>(index)];
    if (isCurrent(entry) && wanted_.empty()) return;
    Options next = options_;
    if (!entry.queue) {
        wanted_.clear();
        return switchTo(next, std::nullopt);
    }
    next.queue = entry.destination();
    next.ppd.reset();
    next.noPrinter = false;
    // The queue's PPD comes from the server: asked off the window's thread, opened when it is here.
    wanted_ = *next.queue;
    window_.setPrinterStatus(trf("Opening {1}\u2026", {wanted_}));
    fetch_.fetchQueue(wanted_, [this, next](std::optional<PrinterChoice> printer, const std::string& error) {
        if (next.queue != wanted_) return discardPrinter(printer); // another printer was chosen since
        wanted_.clear();
        if (!printer) {
            warn(error);
            return showPrinters();
        }
        switchTo(next, std::move(printer));
    });
}

void PersonRun::choosePreset(const std::string& instance)
{
    if (!current_.queue) return;
    Options next = current_;
    next.queue = dialog_->printer().queueName + (instance.empty() ? "" : "/" + instance);
    // A preset is what the person wants now: neither the settings made so far nor the ticket's saved
    // ones stand above its options. Print still writes the ticket file.
    next.ticket.reset();
    wanted_ = *next.queue;
    window_.setPrinterStatus(trf("Opening {1}\u2026", {wanted_}));
    fetch_.fetchQueue(wanted_, [this, next](std::optional<PrinterChoice> printer, const std::string& error) {
        if (next.queue != wanted_) return discardPrinter(printer); // another choice was made since
        wanted_.clear();
        if (!printer) {
            warn(error);
            return showPrinters();
        }
        switchTo(next, std::move(printer), false);
    });
}

void PersonRun::switchTo(const Options& next, std::optional<PrinterChoice> printer, bool carry)
{
    // The settings made so far go along to the other printer's panel, which restores its own.
    dialog_->panel().saveValuesAndReturnError(nullptr);
    cf::DictionaryRef carried = carry ? dialog_->ticket().values() : nullptr;
    std::string error;
    if (!open(next, carried, std::move(printer), &error)) warn(error);
    showPrinters();
}

bool PersonRun::confirmQueue()
{
    // The queue's state now, as the job is about to be sent (over the same kind of bounded request as
    // the job); what the list said when the server cannot be asked.
    const std::string queue = current_.queue->substr(0, current_.queue->find('/')); // an instance's queue
    std::optional<PrinterEntry> asked = cupsPrinter(queue, options_.timeoutSeconds);
    const PrinterEntry* entry = asked ? &*asked : currentEntry();
    if (!entry || !entry->needsWarning()) return true;
    QMessageBox ask(QMessageBox::Warning, tq(tr("Print")),
        tq(trf("{1}: {2}. The job may wait in the queue. Print anyway?", {entry->title, stateWords(*entry)})),
        QMessageBox::NoButton, &window_);
    QPushButton* go = ask.addButton(tq(tr("Print Anyway")), QMessageBox::AcceptRole);
    ask.addButton(QMessageBox::Cancel);
    ask.setDefaultButton(go);
    ask.exec();
    return ask.clickedButton() == go;
}

void PersonRun::print()
{
    // Printing what a person did not mean (every page for a mistyped list) is worse than waiting.
    if (std::string refused = pending_ ? pending_() : std::string(); !refused.empty()) return warn(refused);
    if (current_.queue && document_ && !confirmQueue()) return;
    std::string error;
    if (!finish(&error)) {
        warn(error);
        return;
    }
    close(0);
}

bool PersonRun::finish(std::string* error)
{
    if (!panelAgreesToPrint(*dialog_, error)) return false;
    storePaneChoices(*dialog_);
    const cf::DictionaryRef& ticket = dialog_->ticket().values();
    // What Print used is what the next run starts from: --ticket's file, else the settings file.
    const std::string path = options_.ticket.value_or(defaultTicketPath());
    if (!options_.ticket) {
        std::error_code ignored; // a folder that cannot be made shows as the write's failure
        std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
    }
    if (current_.queue && document_) {
        if (!submitJob(*dialog_, *document_, options_, std::cout, error)) return false;
        return writeTicket(path, ticket, dialog_->ticketAsRead(), error);
    }
    // Nothing to send (the sample printer, or no document): the settings are what Print leaves.
    if (!writeTicket(path, ticket, dialog_->ticketAsRead(), error)) return false;
    QMessageBox::information(
        &window_, tq(tr("Print")), tq(tr("Nothing was sent to a printer; the settings were written to ")) + tq(path));
    return true;
}

void PersonRun::warn(const std::string& text)
{
    QMessageBox::warning(&window_, tq(tr("Print")), tq(text));
}

void PersonRun::close(int status)
{
    status_ = status;
    closed_ = true;
    if (loop_) loop_->quit();
}

} // namespace host
