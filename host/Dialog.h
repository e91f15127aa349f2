// SPDX-License-Identifier: Apache-2.0
// The print dialog stand-in: loads the bundle, asks its factory for the panel, and keeps what the
// panel works on (the ticket, the session, the PPD).
#pragma once

#include "host/DialogPanes.h"
#include "host/JobSubmitter.h"
#include "host/Options.h"
#include "host/PpdFile.h"
#include "host/PrinterSource.h"
#include "host/ProgramFiles.h"
#include "host/TicketFile.h"
#include "host/preview/PreviewSession.h"
#include "pde/BundleLoader.h"
#include "pde/Protocol.h"
#include "print/PrintSettings.h"
#include "print/Session.h"
#include "ui/Nib.h"

#include <memory>
#include <string>

namespace host {

class Dialog {
public:
    // Nothing, and a one-line reason, when the bundle, the PPD or the printer cannot be had. With
    // printer, the dialog takes that printer (already fetched) instead of asking for the options' one;
    // it then owns the printer's temporary PPD, whatever the outcome.
    static std::unique_ptr<Dialog> open(const Options& options, const ProgramFiles& files, std::string* error,
        std::optional<PrinterChoice> printer = std::nullopt);
    ~Dialog();

    pde::Panel& panel() { return *panel_; }
    pm::PrintSettings& ticket() { return ticket_; }
    // The ticket file as it was read (nothing without --ticket): a save writes only what the dialog
    // changed since. A dialog that takes over another's settings takes its base as well.
    const std::optional<TicketAsRead>& ticketAsRead() const { return ticketAsRead_; }
    void setTicketAsRead(std::optional<TicketAsRead> asRead) { ticketAsRead_ = std::move(asRead); }
    ppd_file_t* ppd() { return ppd_.get(); }
    const PrinterChoice& printer() const { return printer_; }
    // The limit for each request to the CUPS server (--timeout).
    int limitSeconds() const { return limitSeconds_; }
    bool isTerminated() const { return terminated_; }
    // The panel's interface description, once it is loaded.
    ui::Nib* nib() const { return ui::Nib::forOwner(panel_.get()); }
    // Calls terminate once, at the latest when the dialog closes.
    void terminate();

    // The dialog's own panes, built on first use (the panel is asked which keys it claims) and
    // started from the destination's options and the ticket's top-level entries.
    DialogPanes& panes();
    bool panesBuilt() const { return panes_ != nullptr; }
    // Every pane in the window's order: the dialog's own and the panel's (its name).
    std::vector<std::string> paneNames();
    // The pane shown now; the panel's at first.
    const std::string& shownPane();
    // Shows the pane named name (its English name or its title); false when there is none.
    bool showPane(const std::string& name);
    // A person's choice in a pane: a PPD option is also marked on the panel's PPD and the panel is
    // told (PPDOptionKeyValueDidChange). False and a reason as DialogPanes::choose.
    bool choosePaneOption(const std::string& name, const std::string& value, std::string* error);
    // A starting value in a pane (the command line): DialogPanes::start, then marked and told as above.
    bool startPaneOption(const std::string& name, const std::string& value, std::string* error);

    // The job's documents, as the preview reads them (what Print sends); none until set.
    void setDocuments(const std::vector<JobSubmitter::Readable>& documents);
    // The preview of the documents on this printer, made on first use.
    preview::PreviewSession& preview();

private:
    Dialog() = default;
    void tellPanel(const std::string& name);

    pde::LoadedBundle bundle_;
    std::unique_ptr<ui::Object> factory_;
    pm::PrintSettings ticket_;
    std::optional<TicketAsRead> ticketAsRead_;
    pm::Session session_;
    PrinterChoice printer_;
    PpdFile ppd_;
    std::shared_ptr<pde::Callback> callback_;
    std::shared_ptr<pde::Panel> panel_;
    bool terminated_ = false;
    std::unique_ptr<DialogPanes> panes_;
    std::string shownPane_;
    int limitSeconds_ = 10;
    std::string samplePpds_, bundlePath_;
    std::vector<preview::Document> documents_;
    std::unique_ptr<preview::PreviewSession> preview_;
};

} // namespace host
