// SPDX-License-Identifier: Apache-2.0
// Building the panes' forms and keeping them in step.
#include "host/gui/PaneForms.h"

#include "host/Dialog.h"
#include "host/gui/PaneForm.h"

#include <algorithm>

namespace host {

PaneForms::PaneForms(Dialog& dialog) : dialog_(dialog), order_(dialog.paneNames()) { }

QWidget* PaneForms::page(const std::string& pane)
{
    for (const auto& [name, form] : forms_)
        if (name == pane) return form.data();
    const std::vector<std::string> own = dialog_.panes().paneNames();
    if (std::find(own.begin(), own.end(), pane) == own.end()) return nullptr;
    auto choose = [this](const std::string& name, const std::string& value, std::string* error) {
        if (!dialog_.choosePaneOption(name, value, error)) return false;
        sync();
        if (changed_) changed_();
        return true;
    };
    auto* form = new PaneForm(pane, dialog_.panes().options(), choose);
    forms_.emplace_back(pane, form);
    return form;
}

std::string PaneForms::refusal() const
{
    for (const auto& [name, form] : forms_)
        if (form && !form->refusal().empty()) return form->refusal();
    return {};
}

void PaneForms::sync()
{
    const std::vector<PaneOption>& options = dialog_.panes().options();
    for (const auto& [name, form] : forms_)
        if (form) form->sync(options);
}

} // namespace host
