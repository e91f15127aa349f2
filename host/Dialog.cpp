// SPDX-License-Identifier: Apache-2.0
// Loading the panel the way a print dialog does.
#include "host/Dialog.h"

#include "cf/Array.h"
#include "cf/String.h"
#include "host/TicketFile.h"
#include "host/Translate.h"

#include <algorithm>
#include <unistd.h>

#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

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

std::set<std::string> claimedKeys(pde::Panel& panel)
{
    std::set<std::string> keys;
    if (auto list = panel.supportedPPDOptionKeys())
        for (const auto& item : list->items())
            if (auto key = cf::as<cf::String>(item)) keys.insert(key->utf8());
    return keys;
}

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
    dialog->limitSeconds_ = options.timeoutSeconds;
    dialog->samplePpds_ = files.samplePpds;
    dialog->bundlePath_ = options.bundle.value_or(files.bundle);
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
    // Its helper programs and files go before the PPD they read.
    preview_.reset();
    // The panel goes before the PPD it borrowed.
    panel_.reset();
    callback_.reset();
    ppd_.reset();
    if (printer_.ppdIsTemporary) ::unlink(printer_.ppdPath.c_str());
}

DialogPanes& Dialog::panes()
{
    if (panes_) return *panes_;
    std::set<std::string> claimed = claimedKeys(*panel_);
    // The panes' own copy of the PPD: its marks and defaults stay the queue's.
    PpdFile copy = openPpd(printer_.ppdPath, nullptr);
    pm::PrintSettings* ticket = &ticket_;
    auto panelChoices = [ticket, claimed] {
        PaneConflicts::Choices choices;
        for (const auto& [key, value] : ticket->values()->stringEntries())
            if (auto text = cf::as<cf::String>(value); text && claimed.count(key)) choices[key] = text->utf8();
        return choices;
    };
    panes_ = std::make_unique<DialogPanes>(std::move(copy), printer_.queue, claimed, panelChoices);
    // Lowest first: the destination's options (lpoptions), then what the ticket holds.
    for (const auto& [name, value] : printer_.defaults) panes_->start(name, value, nullptr);
    for (const auto& [key, value] : ticket_.values()->stringEntries())
        if (auto text = cf::as<cf::String>(value)) panes_->start(key, text->utf8(), nullptr);
    return *panes_;
}

std::vector<std::string> Dialog::paneNames()
{
    std::vector<std::string> names = panes().paneNames();
    auto features = std::find(names.begin(), names.end(), kFeaturesPane);
    if (features == names.end()) features = std::find(names.begin(), names.end(), kJobPane);
    names.insert(features, panel_->panelName());
    return names;
}

const std::string& Dialog::shownPane()
{
    if (shownPane_.empty()) shownPane_ = panel_->panelName();
    return shownPane_;
}

bool Dialog::showPane(const std::string& name)
{
    for (const std::string& pane : paneNames())
        if (name == pane || name == tr(pane.c_str())) {
            shownPane_ = pane;
            return true;
        }
    return false;
}

bool Dialog::choosePaneOption(const std::string& name, const std::string& value, std::string* error)
{
    if (!panes().choose(name, value, error)) return false;
    tellPanel(name);
    return true;
}

bool Dialog::startPaneOption(const std::string& name, const std::string& value, std::string* error)
{
    if (!panes().start(name, value, error)) return false;
    tellPanel(name);
    return true;
}

void Dialog::setDocuments(const std::vector<JobSubmitter::Readable>& documents)
{
    documents_.clear();
    for (const auto& document : documents) documents_.push_back({document.path, document.title});
    preview_.reset();
}

preview::PreviewSession& Dialog::preview()
{
    if (!preview_)
        preview_ = std::make_unique<preview::PreviewSession>(
            preview::PreviewSession::setupFor(printer_.ppdPath, samplePpds_, bundlePath_), documents_);
    return *preview_;
}

// As a print dialog does when another pane changes a PPD option.
void Dialog::tellPanel(const std::string& name)
{
    const PaneOption* option = panes().find(name);
    if (!option || !option->fromPpd || !ppd_) return;
    ppdMarkOption(ppd_.get(), option->name.c_str(), option->value.c_str());
    panel_->PPDOptionKeyValueDidChange(option->name, option->value);
}

} // namespace host
