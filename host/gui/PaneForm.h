// SPDX-License-Identifier: Apache-2.0
// One of the dialog's own panes as widgets over the panes' model: a row for each option (Printer
// Features in the PPD's groups). A person's change goes to the model; the widgets only show it.
#pragma once

#include "host/PaneOption.h"

#include <QWidget>

#include <functional>
#include <map>
#include <string>
#include <vector>

class QLabel;

namespace host {

class PaneForm final : public QWidget {
public:
    // Asks the model to take a person's choice; false and a reason when it refuses.
    using Choose = std::function<bool(const std::string& name, const std::string& value, std::string* error)>;

    // The options of pane (the others are left out) as widgets named "pane_NAME".
    PaneForm(const std::string& pane, const std::vector<PaneOption>& options, Choose choose);

    // Shows the model's values, what it offers and what it keeps disabled; sends nothing.
    void sync(const std::vector<PaneOption>& options);
    // Why a text typed in this pane was refused, while its field still shows it; empty when none.
    std::string refusal() const;

private:
    QWidget* rowFor(const PaneOption& option);
    QWidget* choiceBox(const PaneOption& option);
    QWidget* textField(const PaneOption& option);
    QWidget* holdField(const PaneOption& option);
    void take(const std::string& name, const std::string& value);
    // The hidden line under a text field where its refusal is said.
    void addNote(const std::string& name);

    Choose choose_;
    std::map<std::string, QWidget*> fields_;
    std::map<std::string, QLabel*> notes_; // a refused text's reason, under its field
};

} // namespace host
