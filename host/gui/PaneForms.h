// SPDX-License-Identifier: Apache-2.0
// The dialog's own panes of one dialog as widgets: a form for each pane, all kept in step with the
// panes' model after every choice.
#pragma once

#include <QPointer>

#include <functional>
#include <string>
#include <utility>
#include <vector>

class QWidget;

namespace host {

class Dialog;
class PaneForm;

class PaneForms {
public:
    // Builds a form for each of the dialog's own panes; the caller gives each a parent (the window).
    explicit PaneForms(Dialog& dialog);
    PaneForms(const PaneForms&) = delete;
    PaneForms& operator=(const PaneForms&) = delete;

    // Every pane in the window's order with its widget; the panel's pane has none here.
    std::vector<std::pair<std::string, QWidget*>> pages() const;
    // Shows the model anew in every form (after a script's choice, a Cancel).
    void sync();
    // Why a text typed in a pane was refused, while it still stands there; empty when none.
    std::string refusal() const;
    // Runs after every choice a person made in a form.
    void setChanged(std::function<void()> changed) { changed_ = std::move(changed); }

private:
    Dialog& dialog_;
    std::vector<std::pair<std::string, QPointer<PaneForm>>> forms_;
    std::vector<std::string> order_;
    std::function<void()> changed_;
};

} // namespace host
