// SPDX-License-Identifier: Apache-2.0
// Script commands.
#include "host/ScriptRunner.h"

#include "host/Inspector.h"
#include "host/Translate.h"
#include "ui/Application.h"
#include "ui/Button.h"
#include "ui/PopUpButton.h"
#include "ui/TabView.h"
#include "ui/TableView.h"
#include "ui/TextField.h"

#include <charconv>
#include <iostream>
#include <ostream>
#include <sstream>

namespace host {
namespace {

std::vector<std::string> words(const std::string& line)
{
    std::vector<std::string> out;
    std::istringstream in(line);
    for (std::string word; in >> word;) out.push_back(word);
    return out;
}

bool parseIndex(const std::string& text, int& value)
{
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size();
}

// The text after the command and the id: the rest of the line after one space.
std::string restAfterTwoWords(const std::string& line)
{
    size_t first = line.find(' ');
    if (first == std::string::npos) return {};
    size_t second = line.find(' ', first + 1);
    if (second == std::string::npos) return {};
    return line.substr(second + 1);
}

} // namespace

ScriptRunner::ScriptRunner(Dialog& dialog, std::ostream& out, bool json) : dialog_(dialog), out_(out), json_(json)
{
    // A modal window takes its events from the lines that follow.
    ui::Application::shared().setEventSource([this] { return step(); });
}

ScriptRunner::~ScriptRunner()
{
    // A modal run after the script (none today) must not reach a runner that is gone.
    ui::Application::shared().setEventSource({});
}

bool ScriptRunner::run(const std::vector<std::string>& lines)
{
    lines_ = lines;
    next_ = 0;
    while (step()) {
    }
    return !failed_;
}

bool ScriptRunner::command(const std::string& line)
{
    current_ = 0;
    return execute(line) && !failed_;
}

bool ScriptRunner::step()
{
    while (!failed_ && next_ < lines_.size()) {
        current_ = ++next_;
        const std::string& line = lines_[current_ - 1];
        size_t start = line.find_first_not_of(" \t\r");
        if (start == std::string::npos || line[start] == '#') continue;
        std::string trimmed = line.substr(start);
        while (!trimmed.empty() && (trimmed.back() == '\r' || trimmed.back() == ' ')) trimmed.pop_back();
        return execute(trimmed) && !failed_;
    }
    return false;
}

bool ScriptRunner::fail(std::string reason)
{
    if (!failed_) error_ = (current_ ? "line " + std::to_string(current_) + ": " : std::string()) + reason;
    failed_ = true;
    return false;
}

template <class T>
T* ScriptRunner::control(const std::string& id, const char* kind)
{
    ui::Nib* nib = dialog_.nib();
    if (!nib) {
        fail(trf("no control named {1} yet: run panelView first", {id}));
        return nullptr;
    }
    ui::Object* object = nib->object(id);
    if (!object) {
        fail("no control named " + id);
        return nullptr;
    }
    auto* typed = dynamic_cast<T*>(object);
    if (!typed) fail(id + " is not a " + kind);
    // A person sees that a control is disabled; a script learns it here. The gesture still goes to
    // the control, which ignores it.
    if (typed && !typed->isEnabled())
        std::cerr << "printdialog: " << (current_ ? "line " + std::to_string(current_) + ": " : std::string()) << id
                  << " is disabled; the gesture changes nothing\n";
    return typed;
}

// A line split into words; w[0] is the verb.
struct ScriptRunner::Command {
    const std::string& line;
    std::vector<std::string> w;
};

struct ScriptRunner::Verb {
    std::string_view name;
    size_t arguments;  // exactly this many; at least this many when usage is set
    const char* usage; // " takes ...", for the verbs whose last argument is the rest of the line
    bool (*handler)(ScriptRunner& runner, const Command& command);
};

bool ScriptRunner::answer(const nlohmann::json& object, const std::string& text)
{
    if (json_)
        out_ << object.dump() << "\n";
    else
        out_ << text << "\n";
    out_.flush();
    return true;
}

bool ScriptRunner::result(const char* name, bool value)
{
    return answer({{"result", value}}, std::string(name) + ": " + (value ? "true" : "false"));
}

const ScriptRunner::Verb* ScriptRunner::findVerb(std::string_view name)
{
    using R = ScriptRunner;
    using C = Command;
    // The dialog's calls to the panel.
    static const Verb kVerbs[] = {
        {"panelView", 0, nullptr,
            [](R& r, const C&) {
                ui::View* view = r.dialog_.panel().panelView();
                if (r.hooks_) r.hooks_->panelViewShown(view);
                bool shown = view != nullptr;
                return r.answer({{"panelView", shown}}, std::string("panelView: ") + (shown ? "view" : "none"));
            }},
        {"panelName", 0, nullptr,
            [](R& r, const C&) {
                std::string panelName = r.dialog_.panel().panelName();
                return r.answer({{"panelName", panelName}}, "panelName: " + panelName);
            }},
        {"panelKind", 0, nullptr,
            [](R& r, const C&) {
                std::string kind = r.dialog_.panel().panelKind();
                return r.answer({{"panelKind", kind}}, "panelKind: " + kind);
            }},
        {"supportedPPDOptionKeys", 0, nullptr,
            [](R& r, const C&) {
                nlohmann::json keys = valueToJson(r.dialog_.panel().supportedPPDOptionKeys());
                std::string text = "supportedPPDOptionKeys:";
                for (const auto& key : keys) text += " " + key.get<std::string>();
                return r.answer({{"supportedPPDOptionKeys", keys}}, text);
            }},
        {"willShow", 0, nullptr,
            [](R& r, const C&) {
                r.dialog_.panel().willShow();
                return r.answer({{"result", true}}, "willShow");
            }},
        {"shouldHide", 0, nullptr,
            [](R& r, const C&) { return r.result("shouldHide", r.dialog_.panel().shouldHide()); }},
        {"shouldPrint", 0, nullptr,
            [](R& r, const C&) { return r.result("shouldPrint", r.dialog_.panel().shouldPrint()); }},
        {"save", 0, nullptr,
            [](R& r, const C&) { return r.result("save", r.dialog_.panel().saveValuesAndReturnError(nullptr)); }},
        {"restore", 0, nullptr,
            [](R& r, const C&) {
                const bool restored = r.dialog_.panel().restoreValuesAndReturnError(nullptr);
                std::string reason;
                if (r.afterRestore_ && !r.afterRestore_(&reason)) {
                    r.failureStatus_ = 1;
                    return r.fail(reason);
                }
                return r.result("restore", restored);
            }},
        {"summary", 0, nullptr,
            [](R& r, const C&) {
                cf::DictionaryRef summary = r.dialog_.panel().summaryInfo();
                return r.answer({{"summary", summaryToJson(summary)}}, renderSummary(summary));
            }},
        {"PPDOptionKeyValueDidChange", 2, nullptr,
            [](R& r, const C& c) {
                r.dialog_.panel().PPDOptionKeyValueDidChange(c.w[1], c.w[2]);
                return r.answer({{"result", true}}, "PPDOptionKeyValueDidChange");
            }},
        {"terminate", 0, nullptr,
            [](R& r, const C&) {
                r.dialog_.terminate();
                return r.answer({{"result", true}}, "terminate");
            }},
        {"dump", 0, nullptr,
            [](R& r, const C&) {
                return r.answer({{"state", stateToJson(r.dialog_)}}, renderPanel(r.dialog_));
            }},

        // A person's gestures.
        {"select", 2, nullptr,
            [](R& r, const C& c) {
                auto* popUp = r.control<ui::PopUpButton>(c.w[1], "pop-up");
                if (!popUp) return false;
                int index = 0;
                if (!parseIndex(c.w[2], index) || index < 0 || index >= popUp->numberOfItems())
                    return r.fail(c.w[1] + " has no item " + c.w[2]);
                r.input().selectItem(*popUp, index);
                return true;
            }},
        {"check", 2, nullptr,
            [](R& r, const C& c) {
                auto* box = r.control<ui::CheckBox>(c.w[1], "check box");
                if (!box) return false;
                if (c.w[2] != "on" && c.w[2] != "off") return r.fail("check takes on or off");
                if (box->state() != (c.w[2] == "on" ? 1 : 0)) r.input().click(*box);
                return true;
            }},
        {"click", 1, nullptr,
            [](R& r, const C& c) {
                auto* button = r.control<ui::Button>(c.w[1], "button");
                if (!button) return false;
                r.input().click(*button);
                return true;
            }},
        {"tab", 2, nullptr,
            [](R& r, const C& c) {
                auto* tabs = r.control<ui::TabView>(c.w[1], "tab view");
                if (!tabs) return false;
                int index = 0;
                if (!parseIndex(c.w[2], index) || index < 0 || index >= tabs->numberOfTabViewItems())
                    return r.fail(c.w[1] + " has no tab " + c.w[2]);
                r.input().selectTab(*tabs, index);
                return true;
            }},
        {"type", 2, " takes an id and a text", [](R& r, const C& c) { return r.typeInto(c, false); }},
        {"paste", 2, " takes an id and a text", [](R& r, const C& c) { return r.typeInto(c, true); }},
        {"clear", 1, nullptr,
            [](R& r, const C& c) {
                auto* field = r.control<ui::TextField>(c.w[1], "text field");
                if (!field) return false;
                r.input().clear(*field);
                return true;
            }},
        {"row", 2, nullptr, [](R& r, const C& c) { return r.clickRow(c, false); }},
        {"tick", 2, nullptr, [](R& r, const C& c) { return r.clickRow(c, true); }},
        {"answer-open", 1, " takes a path or cancel",
            [](R&, const C& c) {
                std::string path = c.line.substr(c.line.find(' ') + 1);
                ui::Application::shared().queueOpenPanelAnswer(path == "cancel" ? std::nullopt : std::optional(path));
                return true;
            }},
        {"screenshot", 1, " takes a path",
            [](R& r, const C& c) {
                if (!r.hooks_) return r.fail("screenshot needs --gui");
                std::string reason;
                return r.hooks_->screenshot(c.line.substr(c.line.find(' ') + 1), &reason) || r.fail(reason);
            }},
    };
    for (const Verb& verb : kVerbs)
        if (verb.name == name) return &verb;
    return nullptr;
}

bool ScriptRunner::typeInto(const Command& c, bool paste)
{
    auto* field = control<ui::TextField>(c.w[1], "text field");
    if (!field) return false;
    std::string text = restAfterTwoWords(c.line);
    paste ? input().paste(*field, text) : input().type(*field, text);
    return true;
}

bool ScriptRunner::clickRow(const Command& c, bool tick)
{
    auto* table = control<ui::TableView>(c.w[1], "table");
    if (!table) return false;
    if (!tick && c.w[2] == "none") {
        input().clickRow(*table, -1);
        return true;
    }
    int index = 0;
    if (!parseIndex(c.w[2], index) || index < 0 || index >= table->numberOfRows())
        return fail(c.w[1] + " has no row " + c.w[2]);
    tick ? input().clickTick(*table, index, "inmenu") : input().clickRow(*table, index);
    return true;
}

bool ScriptRunner::execute(const std::string& line)
{
    Command command{line, words(line)};
    const std::string& verb = command.w.front();
    const Verb* entry = findVerb(verb);
    if (!entry) return fail("unknown command " + verb);
    const size_t given = command.w.size() - 1;
    if (entry->usage && given < entry->arguments) return fail(verb + entry->usage);
    if (!entry->usage && given != entry->arguments)
        return fail(verb + " takes " + std::to_string(entry->arguments) + " argument(s)");
    return entry->handler(*this, command);
}

} // namespace host
