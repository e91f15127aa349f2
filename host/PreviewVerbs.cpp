// SPDX-License-Identifier: Apache-2.0
// The script commands of the preview: a sheet written as shown, and the soft-proof switch.
#include "host/JobValues.h"
#include "host/PreviewOfJob.h"
#include "host/ScriptRunner.h"
#include "host/ScriptVerb.h"
#include "host/Translate.h"

namespace host {
namespace {

using R = ScriptRunner;
using C = ScriptCommand;

std::string answerText(const preview::PreviewAnswer& answer)
{
    std::string text = trf("preview: sheet {1} of {2} ({3}) written to {4}",
        {std::to_string(answer.sheet), std::to_string(answer.sheets),
            answer.proof ? tr("soft proof") : tr("plain layout"), answer.path});
    for (size_t i = 0; i < answer.notes.size(); ++i) text += (i ? " " : " \u2014 ") + answer.notes[i];
    return text;
}

bool writeSheet(R& r, const C& c)
{
    if (c.words.size() > 3) return r.fail(trf("{1} takes a path and a sheet", {c.words[0]}));
    const std::optional<int> sheet = c.words.size() == 3 ? wholeNumber(c.words[2], 1, 100000) : 1;
    if (!sheet) return r.fail(trf("{1} is not a sheet number", {c.words[2]}));
    Dialog& dialog = r.dialog();
    if (!dialog.preview().hasDocuments())
        return r.fail(tr("there is no document to preview: name the job's documents on the command line"));
    std::string reason;
    std::optional<preview::PreviewAnswer> answer = r.hooks() && r.hooks()->showsPreview()
        ? r.hooks()->writePreview(c.words[1], *sheet, &reason)
        : dialog.preview().write(
              previewOfJob(dialog), *sheet, preview::PreviewSession::kScriptBox, c.words[1], &reason);
    if (!answer) return r.fail(reason);
    nlohmann::json object = {{"path", answer->path}, {"sheet", answer->sheet}, {"sheets", answer->sheets},
        {"proof", answer->proof}, {"notes", answer->notes}};
    return r.answer({{"preview", object}}, answerText(*answer));
}

bool proof(R& r, const C& c)
{
    if (c.words[1] != "on" && c.words[1] != "off") return r.fail(tr("proof takes on or off"));
    const bool on = c.words[1] == "on";
    r.dialog().preview().setProof(on);
    if (r.hooks()) r.hooks()->switchProof(on);
    return true;
}

constexpr ScriptVerb kPreviewCommands[] = {
    {"preview", 1, "{1} takes a path and a sheet", writeSheet},
    {"proof", 1, nullptr, proof},
};

} // namespace

std::span<const ScriptVerb> previewVerbs()
{
    return kPreviewCommands;
}

} // namespace host
