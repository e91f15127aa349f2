// SPDX-License-Identifier: Apache-2.0
// Reading script lines and dispatching each to its command.
#include "host/ScriptRunner.h"

#include "host/ScriptVerb.h"
#include "host/Translate.h"
#include "ui/Application.h"

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

const ScriptVerb* findVerb(std::string_view name)
{
    for (auto table : {dialogCallVerbs(), gestureVerbs(), paneVerbs(), previewVerbs()})
        for (const ScriptVerb& verb : table)
            if (verb.name == name) return &verb;
    return nullptr;
}

} // namespace

std::string ScriptCommand::restAfterVerb() const
{
    const size_t space = line.find(' ');
    return space == std::string::npos ? std::string() : line.substr(space + 1);
}

std::string ScriptCommand::restAfterTwoWords() const
{
    const size_t first = line.find(' ');
    if (first == std::string::npos) return {};
    const size_t second = line.find(' ', first + 1);
    return second == std::string::npos ? std::string() : line.substr(second + 1);
}

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
    if (!failed_) error_ = current_ ? trf("line {1}: {2}", {std::to_string(current_), reason}) : reason;
    failed_ = true;
    return false;
}

bool ScriptRunner::afterRestore()
{
    std::string reason;
    if (!afterRestore_ || afterRestore_(&reason)) return true;
    failureStatus_ = 1;
    return fail(reason);
}

ui::Object* ScriptRunner::objectNamed(const std::string& id)
{
    ui::Nib* nib = dialog_.nib();
    if (!nib) {
        fail(trf("no control named {1} yet: run panelView first", {id}));
        return nullptr;
    }
    ui::Object* object = nib->object(id);
    if (!object) fail(trf("no control named {1}", {id}));
    return object;
}

void ScriptRunner::wrongKind(const std::string& id, const std::string& kind)
{
    fail(trf("{1} is not a {2}", {id, kind}));
}

void ScriptRunner::noteDisabled(const std::string& id)
{
    const std::string note = trf("{1} is disabled; the gesture changes nothing", {id});
    std::cerr << "printdialog: " << (current_ ? trf("line {1}: {2}", {std::to_string(current_), note}) : note) << "\n";
}

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

bool ScriptRunner::execute(const std::string& line)
{
    const ScriptCommand command{line, words(line)};
    const std::string& verb = command.words.front();
    const ScriptVerb* entry = findVerb(verb);
    if (!entry) return fail(trf("unknown command {1}", {verb}));
    const size_t given = command.words.size() - 1;
    if (entry->usage && given < entry->arguments) return fail(trf(entry->usage, {verb}));
    if (!entry->usage && given != entry->arguments)
        return fail(trf("{1} takes {2} argument(s)", {verb, std::to_string(entry->arguments)}));
    return entry->handler(*this, command);
}

} // namespace host
