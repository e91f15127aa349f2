// SPDX-License-Identifier: Apache-2.0
// The dialog's own panes of one dialog as widgets: a form for each pane, made when it is first shown
// (the window's first frame does not wait for them), all kept in step with the panes' model.
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
    explicit PaneForms(Dialog& dialog);
    PaneForms(const PaneForms&) = delete;
    PaneForms& operator=(const PaneForms&) = delete;

    // Every pane in the window's order, the panel's among them.
    const std::vector<std::string>& paneNames() const { return order_; }
    // The form of one of the dialog's own panes, made now when it is not yet; null for the panel's
    // pane. The caller gives it a parent (the window).
    QWidget* page(const std::string& pane);
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
