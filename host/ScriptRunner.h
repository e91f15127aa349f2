// SPDX-License-Identifier: Apache-2.0
// Runs a dialog script: the dialog's calls to the panel and a person's gestures on its controls,
// one command a line. While a modal window runs, the next lines feed it.
#pragma once

#include "host/Dialog.h"
#include "host/ScriptHooks.h"
#include "ui/InputDriver.h"
#include "ui/Nib.h"

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

    // What the commands (ScriptVerb.h) work on and how they answer.
    Dialog& dialog() { return dialog_; }
    // Null without a window.
    ScriptHooks* hooks() { return hooks_; }
    ui::InputDriver& input() { return hooks_ ? hooks_->input() : headless_; }
    // Writes the answer (object with --json, else text); true.
    bool answer(const nlohmann::json& object, const std::string& text);
    // {"result": value}, or "name: true".
    bool result(const char* name, bool value);
    // Stops the script with a reason (exit status 2); false.
    bool fail(std::string reason);
    // The after-restore hook; false, and the script stopped with status 1, when it refused.
    bool afterRestore();
    // The control of the panel named id when it is a T; null, and the script stopped, when there is
    // none or it is another kind (kind: what a T is called, for the reason).
    template <class T>
    T* control(const std::string& id, const std::string& kind);

private:
    ui::Object* objectNamed(const std::string& id);
    void wrongKind(const std::string& id, const std::string& kind);
    // A person sees that a control is disabled; a script learns it on stderr. The gesture still goes
    // to the control, which ignores it.
    void noteDisabled(const std::string& id);
    bool step();
    bool execute(const std::string& line);

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

template <class T>
T* ScriptRunner::control(const std::string& id, const std::string& kind)
{
    ui::Object* object = objectNamed(id);
    if (!object) return nullptr;
    auto* typed = dynamic_cast<T*>(object);
    if (!typed) {
        wrongKind(id, kind);
        return nullptr;
    }
    if (!typed->isEnabled()) noteDisabled(id);
    return typed;
}

} // namespace host
