// SPDX-License-Identifier: Apache-2.0
// The script commands by which a person uses the panel's controls, each as the toolkit's gesture.
#include "host/Inspector.h"
#include "host/ScriptRunner.h"
#include "host/ScriptVerb.h"
#include "host/Translate.h"
#include "ui/Application.h"
#include "ui/Button.h"
#include "ui/PopUpButton.h"
#include "ui/TabView.h"
#include "ui/TableView.h"
#include "ui/TextField.h"

#include <charconv>

namespace host {
namespace {

using R = ScriptRunner;
using C = ScriptCommand;

// A whole non-negative number below limit.
bool parseIndex(const std::string& text, int limit, int& value)
{
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size() && value >= 0 && value < limit;
}

bool select(R& r, const C& c)
{
    auto* popUp = r.control<ui::PopUpButton>(c.words[1], tr("pop-up"));
    if (!popUp) return false;
    int index = 0;
    if (!parseIndex(c.words[2], popUp->numberOfItems(), index))
        return r.fail(trf("{1} has no item {2}", {c.words[1], c.words[2]}));
    r.input().selectItem(*popUp, index);
    return true;
}

bool check(R& r, const C& c)
{
    auto* box = r.control<ui::CheckBox>(c.words[1], tr("check box"));
    if (!box) return false;
    if (c.words[2] != "on" && c.words[2] != "off") return r.fail(tr("check takes on or off"));
    if (box->state() != (c.words[2] == "on" ? 1 : 0)) r.input().click(*box);
    return true;
}

bool click(R& r, const C& c)
{
    auto* button = r.control<ui::Button>(c.words[1], tr("button"));
    if (!button) return false;
    r.input().click(*button);
    return true;
}

bool tab(R& r, const C& c)
{
    auto* tabs = r.control<ui::TabView>(c.words[1], tr("tab view"));
    if (!tabs) return false;
    int index = 0;
    if (!parseIndex(c.words[2], tabs->numberOfTabViewItems(), index))
        return r.fail(trf("{1} has no tab {2}", {c.words[1], c.words[2]}));
    r.input().selectTab(*tabs, index);
    return true;
}

bool typeInto(R& r, const C& c, bool paste)
{
    auto* field = r.control<ui::TextField>(c.words[1], tr("text field"));
    if (!field) return false;
    const std::string text = c.restAfterTwoWords();
    paste ? r.input().paste(*field, text) : r.input().type(*field, text);
    return true;
}

bool clear(R& r, const C& c)
{
    auto* field = r.control<ui::TextField>(c.words[1], tr("text field"));
    if (!field) return false;
    r.input().clear(*field);
    return true;
}

bool clickRow(R& r, const C& c, bool tick)
{
    auto* table = r.control<ui::TableView>(c.words[1], tr("table"));
    if (!table) return false;
    if (!tick && c.words[2] == "none") {
        r.input().clickRow(*table, -1);
        return true;
    }
    int index = 0;
    if (!parseIndex(c.words[2], table->numberOfRows(), index))
        return r.fail(trf("{1} has no row {2}", {c.words[1], c.words[2]}));
    tick ? r.input().clickTick(*table, index, "inmenu") : r.input().clickRow(*table, index);
    return true;
}

bool answerOpen(R&, const C& c)
{
    const std::string path = c.restAfterVerb();
    ui::Application::shared().queueOpenPanelAnswer(path == "cancel" ? std::nullopt : std::optional(path));
    return true;
}

bool dump(R& r, const C&)
{
    return r.answer({{"state", stateToJson(r.dialog())}}, renderPanel(r.dialog()));
}

bool screenshot(R& r, const C& c)
{
    if (!r.hooks()) return r.fail(tr("screenshot needs --gui"));
    std::string reason;
    return r.hooks()->screenshot(c.restAfterVerb(), &reason) || r.fail(reason);
}

constexpr ScriptVerb kGestures[] = {
    {"select", 2, nullptr, select},
    {"check", 2, nullptr, check},
    {"click", 1, nullptr, click},
    {"tab", 2, nullptr, tab},
    {"type", 2, "{1} takes an id and a text", [](R& r, const C& c) { return typeInto(r, c, false); }},
    {"paste", 2, "{1} takes an id and a text", [](R& r, const C& c) { return typeInto(r, c, true); }},
    {"clear", 1, nullptr, clear},
    {"row", 2, nullptr, [](R& r, const C& c) { return clickRow(r, c, false); }},
    {"tick", 2, nullptr, [](R& r, const C& c) { return clickRow(r, c, true); }},
    {"answer-open", 1, "{1} takes a path or cancel", answerOpen},
    {"dump", 0, nullptr, dump},
    {"screenshot", 1, "{1} takes a path", screenshot},
};

} // namespace

std::span<const ScriptVerb> gestureVerbs()
{
    return kGestures;
}

} // namespace host
