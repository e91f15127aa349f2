// SPDX-License-Identifier: Apache-2.0
// The script commands of the dialog's own panes: a choice, the pane shown, the job's options and
// the presets.
#include "host/JobOptions.h"
#include "host/Presets.h"
#include "host/ScriptRunner.h"
#include "host/ScriptVerb.h"
#include "host/Translate.h"

#include "cf/Array.h"

#include "cf/String.h"
#include <algorithm>

namespace host {
namespace {

using R = ScriptRunner;
using C = ScriptCommand;

bool claimedByPanel(Dialog& dialog, const std::string& name)
{
    if (auto keys = dialog.panel().supportedPPDOptionKeys())
        for (const auto& item : keys->items())
            if (auto key = cf::as<cf::String>(item); key && key->utf8() == name) return true;
    return false;
}

void changed(R& r)
{
    if (r.hooks()) r.hooks()->panesChanged();
}

// With a window: the choice as a person's input to the pane's widget, when the widget takes it.
bool tookInput(R& r, const std::string& name, const std::string& value)
{
    std::string wanted = value;
    const PaneOption* option = r.dialog().panes().resolve(name, wanted);
    if (!option) return false;
    const std::vector<std::string> offered = r.dialog().panes().offered(option->name);
    if (!option->freeForm() && std::find(offered.begin(), offered.end(), wanted) == offered.end()) return false;
    return r.hooks()->deliverPaneChoice(name, value) && r.dialog().panes().find(option->name)->value == wanted;
}

bool set(R& r, const C& c)
{
    const std::string& name = c.words[1];
    if (claimedByPanel(r.dialog(), name))
        return r.fail(trf("{1} belongs to the {2} pane: use its controls", {name, r.dialog().panel().panelName()}));
    const std::string value = c.restAfterTwoWords();
    if (r.hooks() && tookInput(r, name, value)) return true;
    std::string reason;
    if (!r.dialog().choosePaneOption(name, value, &reason)) return r.fail(reason);
    changed(r);
    return true;
}

bool pane(R& r, const C& c)
{
    const std::string name = c.restAfterVerb();
    if (!r.dialog().showPane(name)) {
        std::string panes;
        for (const std::string& known : r.dialog().paneNames()) panes += (panes.empty() ? "" : ", ") + known;
        return r.fail(trf("no pane named {1}; the panes are {2}", {name, panes}));
    }
    changed(r);
    return true;
}

bool showJobOptions(R& r, const C&)
{
    nlohmann::json options = nlohmann::json::object();
    std::string text = "jobOptions:";
    for (const auto& [name, value] : jobOptions(r.dialog())) {
        options[name] = value;
        text += " " + name + "=" + value;
    }
    return r.answer({{"jobOptions", options}}, text);
}

bool presetSave(R& r, const C& c)
{
    const std::string name = c.restAfterVerb();
    std::string reason;
    return savePreset(r.dialog(), name, r.dialog().limitSeconds(), &reason) || r.fail(reason);
}

bool presetDefault(R& r, const C&)
{
    std::string reason;
    return saveQueueDefaults(r.dialog(), r.dialog().limitSeconds(), &reason) || r.fail(reason);
}

constexpr ScriptVerb kPaneCommands[] = {
    {"set", 2, "{1} takes an option's name and a value", set},
    {"pane", 1, "{1} takes a pane's name", pane},
    {"jobOptions", 0, nullptr, showJobOptions},
    {"preset-save", 1, "{1} takes a preset's name", presetSave},
    {"preset-default", 0, nullptr, presetDefault},
};

} // namespace

std::span<const ScriptVerb> paneVerbs()
{
    return kPaneCommands;
}

} // namespace host
