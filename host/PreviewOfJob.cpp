// SPDX-License-Identifier: Apache-2.0
// The panel writes its controls into the ticket only when asked to save; the preview asks it on a
// snapshot of the ticket, as Print would, without shouldPrint (which changes the panel's controls).
#include "host/PreviewOfJob.h"

#include "cf/String.h"
#include "host/TicketSnapshot.h"
#include "host/preview/JobLayout.h"

namespace host {
namespace {

preview::OptionMap panelSettings(Dialog& dialog)
{
    preview::OptionMap settings;
    const TicketSnapshot snapshot(dialog.ticket().values());
    dialog.panel().saveValuesAndReturnError(nullptr);
    for (const auto& [key, value] : dialog.ticket().values()->stringEntries())
        if (auto text = cf::as<cf::String>(value)) settings[key] = text->utf8();
    return settings;
}

} // namespace

preview::PreviewJob previewOfJob(Dialog& dialog)
{
    preview::PreviewSession& session = dialog.preview();
    preview::OptionMap layout;
    for (const PaneOption& option : dialog.panes().options())
        if (!option.value.empty()) layout[option.name] = option.value;
    return session.job(preview::JobLayout::layoutOptions(layout), panelSettings(dialog));
}

} // namespace host
