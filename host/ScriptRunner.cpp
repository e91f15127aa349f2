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

bool ScriptRunner::execute(const std::string& line)
{
    std::vector<std::string> w = words(line);
    const std::string& verb = w.front();
    pde::Panel& panel = dialog_.panel();
    auto args = [&](size_t count) {
        if (w.size() != count + 1) return fail(verb + " takes " + std::to_string(count) + " argument(s)");
        return true;
    };
    auto answer = [&](const nlohmann::json& object, const std::string& text) {
        if (json_)
            out_ << object.dump() << "\n";
        else
            out_ << text << "\n";
        out_.flush();
        return true;
    };
    auto result = [&](const char* name, bool value) {
        return answer({{"result", value}}, std::string(name) + ": " + (value ? "true" : "false"));
    };

    if (verb == "panelView") {
        if (!args(0)) return false;
        ui::View* view = panel.panelView();
        if (hooks_) hooks_->panelViewShown(view);
        bool shown = view != nullptr;
        return answer({{"panelView", shown}}, std::string("panelView: ") + (shown ? "view" : "none"));
    }
    if (verb == "panelName") {
        if (!args(0)) return false;
        std::string name = panel.panelName();
        return answer({{"panelName", name}}, "panelName: " + name);
    }
    if (verb == "panelKind") {
        if (!args(0)) return false;
        std::string kind = panel.panelKind();
        return answer({{"panelKind", kind}}, "panelKind: " + kind);
    }
    if (verb == "supportedPPDOptionKeys") {
        if (!args(0)) return false;
        nlohmann::json keys = valueToJson(panel.supportedPPDOptionKeys());
        std::string text = "supportedPPDOptionKeys:";
        for (const auto& key : keys) text += " " + key.get<std::string>();
        return answer({{"supportedPPDOptionKeys", keys}}, text);
    }
    if (verb == "willShow") {
        if (!args(0)) return false;
        panel.willShow();
        return answer({{"result", true}}, "willShow");
    }
    if (verb == "shouldHide") return args(0) && result("shouldHide", panel.shouldHide());
    if (verb == "shouldPrint") return args(0) && result("shouldPrint", panel.shouldPrint());
    if (verb == "save") return args(0) && result("save", panel.saveValuesAndReturnError(nullptr));
    if (verb == "restore") {
        if (!args(0)) return false;
        const bool restored = panel.restoreValuesAndReturnError(nullptr);
        std::string reason;
        if (afterRestore_ && !afterRestore_(&reason)) {
            failureStatus_ = 1;
            return fail(reason);
        }
        return result("restore", restored);
    }
    if (verb == "summary") {
        if (!args(0)) return false;
        cf::DictionaryRef summary = panel.summaryInfo();
        return answer({{"summary", summaryToJson(summary)}}, renderSummary(summary));
    }
    if (verb == "PPDOptionKeyValueDidChange") {
        if (!args(2)) return false;
        panel.PPDOptionKeyValueDidChange(w[1], w[2]);
        return answer({{"result", true}}, "PPDOptionKeyValueDidChange");
    }
    if (verb == "terminate") {
        if (!args(0)) return false;
        dialog_.terminate();
        return answer({{"result", true}}, "terminate");
    }
    if (verb == "dump") {
        if (!args(0)) return false;
        return answer({{"state", stateToJson(dialog_)}}, renderPanel(dialog_));
    }

    // A person's gestures.
    int index = 0;
    if (verb == "select") {
        if (!args(2)) return false;
        auto* popUp = control<ui::PopUpButton>(w[1], "pop-up");
        if (!popUp) return false;
        if (!parseIndex(w[2], index) || index < 0 || index >= popUp->numberOfItems())
            return fail(w[1] + " has no item " + w[2]);
        input().selectItem(*popUp, index);
        return true;
    }
    if (verb == "check") {
        if (!args(2)) return false;
        auto* box = control<ui::CheckBox>(w[1], "check box");
        if (!box) return false;
        if (w[2] != "on" && w[2] != "off") return fail("check takes on or off");
        if (box->state() != (w[2] == "on" ? 1 : 0)) input().click(*box);
        return true;
    }
    if (verb == "click") {
        if (!args(1)) return false;
        auto* button = control<ui::Button>(w[1], "button");
        if (!button) return false;
        input().click(*button);
        return true;
    }
    if (verb == "tab") {
        if (!args(2)) return false;
        auto* tabs = control<ui::TabView>(w[1], "tab view");
        if (!tabs) return false;
        if (!parseIndex(w[2], index) || index < 0 || index >= tabs->numberOfTabViewItems())
            return fail(w[1] + " has no tab " + w[2]);
        input().selectTab(*tabs, index);
        return true;
    }
    if (verb == "type" || verb == "paste") {
        if (w.size() < 3) return fail(verb + " takes an id and a text");
        auto* field = control<ui::TextField>(w[1], "text field");
        if (!field) return false;
        std::string text = restAfterTwoWords(line);
        verb == "type" ? input().type(*field, text) : input().paste(*field, text);
        return true;
    }
    if (verb == "clear") {
        if (!args(1)) return false;
        auto* field = control<ui::TextField>(w[1], "text field");
        if (!field) return false;
        input().clear(*field);
        return true;
    }
    if (verb == "row" || verb == "tick") {
        if (!args(2)) return false;
        auto* table = control<ui::TableView>(w[1], "table");
        if (!table) return false;
        if (verb == "row" && w[2] == "none") {
            input().clickRow(*table, -1);
            return true;
        }
        if (!parseIndex(w[2], index) || index < 0 || index >= table->numberOfRows())
            return fail(w[1] + " has no row " + w[2]);
        verb == "row" ? input().clickRow(*table, index) : input().clickTick(*table, index, "inmenu");
        return true;
    }
    if (verb == "answer-open") {
        if (w.size() < 2) return fail("answer-open takes a path or cancel");
        std::string path = line.substr(line.find(' ') + 1);
        ui::Application::shared().queueOpenPanelAnswer(path == "cancel" ? std::nullopt : std::optional(path));
        return true;
    }
    if (verb == "screenshot") {
        if (w.size() < 2) return fail("screenshot takes a path");
        if (!hooks_) return fail("screenshot needs --gui");
        std::string reason;
        return hooks_->screenshot(line.substr(line.find(' ') + 1), &reason) || fail(reason);
    }
    return fail("unknown command " + verb);
}

} // namespace host
