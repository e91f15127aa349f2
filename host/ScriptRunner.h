// SPDX-License-Identifier: Apache-2.0
// Runs a dialog script: the dialog's calls to the panel and a person's gestures on its controls,
// one command a line. While a modal window runs, the next lines feed it.
#pragma once

#include "host/Dialog.h"
#include "host/ScriptHooks.h"
#include "ui/InputDriver.h"

#include <functional>
#include <iosfwd>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace host {

class ScriptRunner {
public:
    ScriptRunner(Dialog& dialog, std::ostream& out, bool json);
    ~ScriptRunner();
    ScriptRunner(const ScriptRunner&) = delete;
    ScriptRunner& operator=(const ScriptRunner&) = delete;

    // Runs every line; false on a script error, reported as "line N: reason" in error().
    bool run(const std::vector<std::string>& lines);
    // Runs one command outside a script (the default sequence).
    bool command(const std::string& line);
    const std::string& error() const { return error_; }
    // The exit status the failure calls for: 2 for a script error, 1 when the hook failed.
    int failureStatus() const { return failureStatus_; }
    // Runs after every restore (the command line's choices); false and a reason stop the script.
    void setAfterRestore(std::function<bool(std::string* error)> hook) { afterRestore_ = std::move(hook); }
    // With a window: gestures go to its widgets and screenshot works. The hooks outlive the runner.
    void setHooks(ScriptHooks* hooks) { hooks_ = hooks; }

private:
    struct Command;
    struct Verb;
    // Every command, by name: its arguments and its handler.
    static const Verb* findVerb(std::string_view name);

    bool step();
    bool execute(const std::string& line);
    bool answer(const nlohmann::json& object, const std::string& text);
    bool result(const char* name, bool value);
    bool typeInto(const Command& command, bool paste);
    bool clickRow(const Command& command, bool tick);
    bool fail(std::string reason);
    template <class T>
    T* control(const std::string& id, const char* kind);

    ui::InputDriver& input() { return hooks_ ? hooks_->input() : headless_; }

    Dialog& dialog_;
    ScriptHooks* hooks_ = nullptr;
    ui::InputDriver headless_;
    std::ostream& out_;
    bool json_;
    std::vector<std::string> lines_;
    size_t next_ = 0;
    size_t current_ = 0;
    bool failed_ = false;
    std::string error_;
    int failureStatus_ = 2;
    std::function<bool(std::string* error)> afterRestore_;
};

} // namespace host
