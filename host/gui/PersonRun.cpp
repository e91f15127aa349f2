// SPDX-License-Identifier: Apache-2.0
// The window's Print, Cancel and printer chooser.
#include "host/gui/PersonRun.h"

#include "host/CommandLineChoices.h"
#include "host/Dialog.h"
#include "host/JobSubmitter.h"
#include "host/PrintJob.h"
#include "host/TicketFile.h"
#include "host/Translate.h"
#include "host/gui/PrintWindow.h"
#include "ui/qt/Mirror.h"

#include <QEventLoop>
#include <QMessageBox>
#include <QTimer>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <system_error>

namespace host {
namespace {

QString tq(const std::string& text)
{
    return QString::fromStdString(text);
}

std::string baseName(const std::string& path)
{
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Where the sample printer's settings go when no --ticket names a file.
std::string sampleTicketPath()
{
    const char* config = std::getenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    std::string base = config && *config ? config : std::string(home ? home : ".") + "/.config";
    return base + "/printdialog-settings.plist";
}

} // namespace

PersonRun::PersonRun(
    PrintWindow& window, ui::qt::Mirror& mirror, const Options& options, ProgramFiles files, JobSubmitter* document)
    : window_(window), mirror_(mirror), options_(options), current_(options), files_(std::move(files)),
      document_(document)
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
    window_.onCancel = [this] { close(0); };
    window_.onPrinterChosen = [this](int index) { choosePrinter(index); };
    std::string error;
    if (!open(options_, nullptr, &error)) {
        unwire();
        std::cerr << "printdialog: " << error << std::endl;
        QMessageBox::warning(nullptr, tq(tr("Print")), tq(error));
        return 1;
    }
    if (!closed_) {
        window_.show();
        // Asking CUPS may take a moment: the window is on screen first.
        QTimer::singleShot(0, &window_, [this] { listPrinters(); });
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

bool PersonRun::open(const Options& options, const cf::DictionaryRef& carried, std::string* error)
{
    auto dialog = Dialog::open(options, files_, error);
    if (!dialog) return false;
    auto choices = CommandLineChoices::check(options.choices, dialog->ppd(), error);
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
    if (show_) show_(dialog_.get(), view);
    return true;
}

void PersonRun::listPrinters()
{
    printers_.clear();
    if (!options_.queue)
        printers_.push_back(
            {tr("Sample printer") + " (" + baseName(options_.ppd.value_or("zq4410.ppd")) + ")", std::nullopt});
    for (auto& printer : cupsPrinters()) printers_.push_back(printer);
    if (options_.queue && printers_.empty()) printers_.push_back({*options_.queue, options_.queue});
    int current = 0;
    for (size_t i = 0; i < printers_.size(); ++i)
        if (printers_[i].queue == current_.queue) current = static_cast<int>(i);
    window_.setPrinters(printers_, current);
}

void PersonRun::choosePrinter(int index)
{
    if (index < 0 || static_cast<size_t>(index) >= printers_.size()) return;
    const PrinterEntry& entry = printers_[static_cast<size_t>(index)];
    if (entry.queue == current_.queue) return;
    Options next = options_;
    if (entry.queue) {
        next.queue = entry.queue;
        next.ppd.reset();
        next.noPrinter = false;
    }
    // The settings made so far go along to the other printer's panel.
    dialog_->panel().saveValuesAndReturnError(nullptr);
    cf::DictionaryRef carried = dialog_->ticket().values();
    std::string error;
    if (!open(next, carried, &error)) {
        warn(error);
        listPrinters();
    }
}

void PersonRun::print()
{
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
    const cf::DictionaryRef& ticket = dialog_->ticket().values();
    if (current_.queue && document_) {
        if (!submitJob(*dialog_, *document_, options_, std::cout, error)) return false;
    } else {
        // Nothing to send (the sample printer, or no document): the settings are what Print leaves.
        std::string path = options_.ticket.value_or(sampleTicketPath());
        if (!options_.ticket) {
            std::error_code ignored; // a folder that cannot be made shows as the write's failure
            std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
        }
        if (!writeTicket(path, ticket, dialog_->ticketAsRead(), error)) return false;
        QMessageBox::information(&window_, tq(tr("Print")),
            tq(tr("Nothing was sent to a printer; the settings were written to ")) + tq(path));
        return true;
    }
    return !options_.ticket || writeTicket(*options_.ticket, ticket, dialog_->ticketAsRead(), error);
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
