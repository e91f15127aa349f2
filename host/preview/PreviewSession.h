// SPDX-License-Identifier: Apache-2.0
// The preview as the dialog keeps it: the job's documents, the soft-proof switch, and the engine,
// made when first needed. Writes a sheet as a PNG file for the script's `preview` command.
#pragma once

#include "host/preview/PreviewEngine.h"

#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace host::preview {

// What `preview PATH [SHEET]` answers.
struct PreviewAnswer {
    std::string path;
    int sheet = 0;
    int sheets = 0;
    bool proof = true;
    std::vector<std::string> notes;
};

class PreviewSession {
public:
    PreviewSession(PreviewSetup setup, std::vector<Document> documents);
    ~PreviewSession();

    // Where the program's files put the printer's profile (beside the sample PPDs' folder) and the
    // panel's bundle the user's profiles (the folder its profile window browses).
    static PreviewSetup setupFor(const std::string& ppdPath, const std::string& samplePpds, const std::string& bundle);

    bool hasDocuments() const { return !documents_.empty(); }
    bool proof() const { return proof_; }
    void setProof(bool on) { proof_ = on; }

    // The job as the preview shows it now: the documents, the dialog's options (layout) and the
    // panel's ticket entries.
    PreviewJob job(OptionMap layout, OptionMap ticket) const;
    // The engine; null and the reason when it cannot be made (the PPD cannot be read, no work folder).
    // Made on the first call, from any thread.
    PreviewEngine* engine(std::string* error);

    // Draws sheet `sheet` of the job to fit the box and writes it to path as a PNG; nullopt and the
    // reason when there is no document, the job has no such sheet, the engine cannot be made or the
    // file cannot be written.
    std::optional<PreviewAnswer> write(
        const PreviewJob& job, int sheet, SheetBox box, const std::string& path, std::string* error);

    // Why sheet `sheet` cannot be shown of a job of `sheets` sheets.
    static std::string noSuchSheet(int sheet, int sheets);

    // The size a sheet is drawn at without a window.
    static constexpr SheetBox kScriptBox{420, 594};

private:
    PreviewSetup setup_;
    std::vector<Document> documents_;
    bool proof_ = true;
    std::mutex engineMutex_;
    std::unique_ptr<PreviewEngine> engine_;
};

} // namespace host::preview
