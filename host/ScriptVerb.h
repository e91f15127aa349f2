// SPDX-License-Identifier: Apache-2.0
// One script command's entry in the runner's tables: its name, its arguments and what it does.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace host {

class ScriptRunner;

// A line split into words; words[0] is the verb.
struct ScriptCommand {
    const std::string& line;
    std::vector<std::string> words;
    // The text after the verb: the rest of the line after one space.
    std::string restAfterVerb() const;
    // The text after the verb and one more word.
    std::string restAfterTwoWords() const;
};

struct ScriptVerb {
    std::string_view name;
    size_t arguments; // exactly this many; at least this many when usage is set
    // "{1} takes ...", for the verbs whose last argument is the rest of the line; null otherwise.
    const char* usage;
    bool (*handler)(ScriptRunner& runner, const ScriptCommand& command);
};

// The dialog's calls to the panel.
std::span<const ScriptVerb> dialogCallVerbs();
// A person's gestures on the panel's controls.
std::span<const ScriptVerb> gestureVerbs();
// What a person does in the dialog's own panes and presets.
std::span<const ScriptVerb> paneVerbs();
// The preview of the job's documents.
std::span<const ScriptVerb> previewVerbs();

} // namespace host
