// SPDX-License-Identifier: Apache-2.0
// The script commands by which the dialog calls the panel, as a print dialog may in any order.
#include "host/Inspector.h"
#include "host/ScriptRunner.h"
#include "host/ScriptVerb.h"

namespace host {
namespace {

using R = ScriptRunner;
using C = ScriptCommand;

bool panelView(R& r, const C&)
{
    ui::View* view = r.dialog().panel().panelView();
    if (r.hooks()) r.hooks()->panelViewShown(view);
    const bool shown = view != nullptr;
    return r.answer({{"panelView", shown}}, std::string("panelView: ") + (shown ? "view" : "none"));
}

bool panelName(R& r, const C&)
{
    const std::string name = r.dialog().panel().panelName();
    return r.answer({{"panelName", name}}, "panelName: " + name);
}

bool panelKind(R& r, const C&)
{
    const std::string kind = r.dialog().panel().panelKind();
    return r.answer({{"panelKind", kind}}, "panelKind: " + kind);
}

bool supportedKeys(R& r, const C&)
{
    nlohmann::json keys = valueToJson(r.dialog().panel().supportedPPDOptionKeys());
    std::string text = "supportedPPDOptionKeys:";
    for (const auto& key : keys) text += " " + key.get<std::string>();
    return r.answer({{"supportedPPDOptionKeys", keys}}, text);
}

bool willShow(R& r, const C&)
{
    r.dialog().panel().willShow();
    return r.answer({{"result", true}}, "willShow");
}

bool restore(R& r, const C&)
{
    const bool restored = r.dialog().panel().restoreValuesAndReturnError(nullptr);
    return r.afterRestore() && r.result("restore", restored);
}

bool summary(R& r, const C&)
{
    cf::DictionaryRef summary = r.dialog().panel().summaryInfo();
    return r.answer({{"summary", summaryToJson(summary)}}, renderSummary(summary));
}

bool keyValueDidChange(R& r, const C& c)
{
    r.dialog().panel().PPDOptionKeyValueDidChange(c.words[1], c.words[2]);
    return r.answer({{"result", true}}, "PPDOptionKeyValueDidChange");
}

bool terminate(R& r, const C&)
{
    r.dialog().terminate();
    return r.answer({{"result", true}}, "terminate");
}

constexpr ScriptVerb kDialogCalls[] = {
    {"panelView", 0, nullptr, panelView},
    {"panelName", 0, nullptr, panelName},
    {"panelKind", 0, nullptr, panelKind},
    {"supportedPPDOptionKeys", 0, nullptr, supportedKeys},
    {"willShow", 0, nullptr, willShow},
    {"shouldHide", 0, nullptr, [](R& r, const C&) { return r.result("shouldHide", r.dialog().panel().shouldHide()); }},
    {"shouldPrint", 0, nullptr,
        [](R& r, const C&) { return r.result("shouldPrint", r.dialog().panel().shouldPrint()); }},
    {"save", 0, nullptr,
        [](R& r, const C&) { return r.result("save", r.dialog().panel().saveValuesAndReturnError(nullptr)); }},
    {"restore", 0, nullptr, restore},
    {"summary", 0, nullptr, summary},
    {"PPDOptionKeyValueDidChange", 2, nullptr, keyValueDidChange},
    {"terminate", 0, nullptr, terminate},
};

} // namespace

std::span<const ScriptVerb> dialogCallVerbs()
{
    return kDialogCalls;
}

} // namespace host
