// SPDX-License-Identifier: Apache-2.0
// Building the panes' forms and keeping them in step.
#include "host/gui/PaneForms.h"

#include "host/Dialog.h"
#include "host/gui/PaneForm.h"

namespace host {

PaneForms::PaneForms(Dialog& dialog) : dialog_(dialog), order_(dialog.paneNames())
{
    auto choose = [this](const std::string& name, const std::string& value, std::string* error) {
        if (!dialog_.choosePaneOption(name, value, error)) return false;
        sync();
        if (changed_) changed_();
        return true;
    };
    const std::vector<PaneOption>& options = dialog_.panes().options();
    for (const std::string& pane : dialog_.panes().paneNames())
        forms_.emplace_back(pane, new PaneForm(pane, options, choose));
}

std::vector<std::pair<std::string, QWidget*>> PaneForms::pages() const
{
    std::vector<std::pair<std::string, QWidget*>> pages;
    for (const std::string& pane : order_) {
        QWidget* page = nullptr;
        for (const auto& [name, form] : forms_)
            if (name == pane) page = form.data();
        pages.emplace_back(pane, page);
    }
    return pages;
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
