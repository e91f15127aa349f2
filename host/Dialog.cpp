// SPDX-License-Identifier: Apache-2.0
// Loading the panel the way a print dialog does.
#include "host/Dialog.h"

#include "host/TicketFile.h"
#include "host/Translate.h"

#include <unistd.h>

namespace host {
namespace {

// What the panel asks the dialog for.
class HostCallback final : public pde::Callback {
public:
    HostCallback(pm::PrintSettings& ticket, pm::Session& session, ppd_file_t* ppd)
        : ticket_(ticket), session_(session), ppd_(ppd)
    {
    }
    PMPrintSettings printSettings() override { return &ticket_; }
    PMPrintSession printSession() override { return &session_; }
    ppd_file_t* ppdFile() override { return ppd_; }

private:
    pm::PrintSettings& ticket_;
    pm::Session& session_;
    ppd_file_t* ppd_;
};

} // namespace

std::unique_ptr<Dialog> Dialog::open(
    const Options& options, const ProgramFiles& files, std::string* error, std::optional<PrinterChoice> printer)
{
    std::unique_ptr<Dialog> dialog(new Dialog());

    if (!printer)
        printer = options.queue ? cupsQueuePrinter(*options.queue, options.timeoutSeconds, error)
                                : virtualPrinter(options, files.samplePpds, error);
    if (!printer) return nullptr;
    dialog->printer_ = *printer;
    dialog->ppd_ = openPpd(printer->ppdPath, error);
    if (!dialog->ppd_) return nullptr;
    applyDestinationDefaults(dialog->ppd_.get(), printer->defaults);
    dialog->session_.setCurrentPrinter(printer->printer);

    if (options.ticket) {
        auto settings = readTicket(*options.ticket, error, &dialog->ticketAsRead_.emplace());
        if (!settings) return nullptr;
        dialog->ticket_ = pm::PrintSettings(*settings);
    } else {
        dialog->ticket_ = pm::PrintSettings(readDefaultTicket(&dialog->ticketAsRead_));
    }

    auto loaded = pde::BundleLoader::load(options.bundle.value_or(files.bundle), error);
    if (!loaded) return nullptr;
    dialog->bundle_ = *loaded;
    dialog->factory_ = loaded->principalClass->factory();
    auto* factory = dynamic_cast<pde::PlugIn*>(dialog->factory_.get());
    if (!factory) {
        if (error) *error = tr("the bundle's principal class is not a print dialog extension");
        return nullptr;
    }
    factory->initWithBundle(loaded->bundle);
    dialog->callback_ = std::make_shared<HostCallback>(dialog->ticket_, dialog->session_, dialog->ppd_.get());
    auto panels = factory->PDEPanelsForType(pde::kPrintDialogType, dialog->callback_);
    if (!panels || panels->empty() || !panels->front()) {
        if (error) *error = tr("the bundle offers no print dialog panel");
        return nullptr;
    }
    dialog->panel_ = panels->front();
    return dialog;
}

void Dialog::terminate()
{
    if (terminated_ || !panel_) return;
    terminated_ = true;
    panel_->terminate();
}

Dialog::~Dialog()
{
    terminate();
    // The panel goes before the PPD it borrowed.
    panel_.reset();
    callback_.reset();
    ppd_.reset();
    if (printer_.ppdIsTemporary) ::unlink(printer_.ppdPath.c_str());
}

} // namespace host
