// SPDX-License-Identifier: Apache-2.0
// What a window adds to a dialog script: gestures delivered as input to its widgets, the panel's
// view shown in it, and pictures of it.
#pragma once

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
};

} // namespace host
