// SPDX-License-Identifier: Apache-2.0
// What a window adds to a dialog script: gestures delivered as input to its widgets, the panel's
// view shown in it, and pictures of it.
#pragma once

#include "host/preview/PreviewSession.h"

#include <optional>
#include <string>

namespace ui {
class InputDriver;
class View;
} // namespace ui

namespace host {

class ScriptHooks {
public:
    virtual ~ScriptHooks() = default;
    virtual ui::InputDriver& input() = 0;
    // The panel handed the dialog its view (null when it had none).
    virtual void panelViewShown(ui::View* view) = 0;
    // Writes the window (the modal window when one is open) as a PNG; false and a reason when it cannot.
    virtual bool screenshot(const std::string& path, std::string* error) = 0;
    // The dialog's own panes changed (a choice, the pane shown): the window shows them anew.
    virtual void panesChanged() { }
    // Delivers a valid choice in one of the dialog's own panes as input to its widget; false when
    // the window cannot (the dialog then takes it as the model's call).
    virtual bool deliverPaneChoice(const std::string& /*name*/, const std::string& /*value*/) { return false; }
    // True when the window shows a preview; then the two below stand for the dialog's own.
    virtual bool showsPreview() const { return false; }
    // The window's preview shows sheet `sheet` of the job as it stands and writes it, as shown, to
    // path as a PNG; nullopt and a reason as PreviewSession::write.
    virtual std::optional<preview::PreviewAnswer> writePreview(
        const std::string& /*path*/, int /*sheet*/, std::string* /*error*/)
    {
        return std::nullopt;
    }
    // A click on the window's soft-proof switch when it is not already as asked.
    virtual void switchProof(bool /*on*/) { }
};

} // namespace host
