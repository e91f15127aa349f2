// SPDX-License-Identifier: Apache-2.0
// The soft-proof preview: the job's documents laid out on sheets by CUPS's filters, each sheet drawn
// by Ghostscript with the panel's colour settings and shown as it will print (or as plain layout).
// Sheets are drawn when asked for, and kept: a sheet is drawn again only when something it depends
// on changed. No window here: the script mode writes previews without one.
#pragma once

#include "host/preview/ColourPlan.h"
#include "host/preview/JobLayout.h"
#include "host/preview/PreviewJob.h"
#include "host/preview/PreviewSetup.h"
#include "host/preview/Raster.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace host::preview {

struct SheetBox {
    int width = 600;  // pixels
    int height = 600; // pixels
};

struct PreviewSheet {
    Raster picture;                 // RGB, fitting the box; blank paper when the sheet cannot be drawn
    int sheet = 0;                  // 1-based; 0 when the job has no sheet
    int sheets = 0;                 // how many sheets the job has
    std::vector<std::string> notes; // what a person should know about this picture
    bool cancelled = false;
};

class PreviewEngine {
public:
    // Null and the reason when the PPD cannot be read or no work folder can be made.
    static std::unique_ptr<PreviewEngine> create(const PreviewSetup& setup, std::string* error);
    ~PreviewEngine();
    PreviewEngine(const PreviewEngine&) = delete;
    PreviewEngine& operator=(const PreviewEngine&) = delete;

    // The number of sheets of the job, laying documents out as needed.
    int sheetCount(const PreviewJob& job, const std::atomic<bool>* cancel = nullptr);
    // Sheet `sheet` (1-based, kept within the job's sheets) drawn to fit the box. Safe to call from
    // a worker thread; calls are taken one at a time. When `cancel` turns true, the helper programs
    // are stopped and the result comes back cancelled.
    PreviewSheet render(const PreviewJob& job, int sheet, SheetBox box, const std::atomic<bool>* cancel = nullptr);
    // Gets the job ready to draw before a sheet is asked for: lays the documents out, starts
    // Ghostscript with the colour settings and builds the proof's transforms. Draws nothing.
    void prepare(const PreviewJob& job, const std::atomic<bool>* cancel = nullptr);
    // Gets a Ghostscript running and warmed up on sheet `sheet` for each Quick Color preset, so that
    // picking one redraws without a new start. Stops when `cancel` turns true. Nothing for the plain
    // layout.
    void warm(const PreviewJob& job, int sheet, const std::atomic<bool>* cancel);

    // How often the filters and Ghostscript ran, to tell a cached sheet from a drawn one.
    struct Counters {
        int layouts = 0;
        int renders = 0;
    };
    Counters counters() const;

private:
    struct Parts;
    struct Begun {
        std::optional<ColourPlan> plan; // none for the plain layout
        JobSheets sheets;
    };
    // What a sheet needs before it is drawn; the engine's lock is held.
    Begun begin(const PreviewJob& job, const std::atomic<bool>* cancel);
    explicit PreviewEngine(std::unique_ptr<Parts> parts);

    mutable std::mutex mutex_;
    std::unique_ptr<Parts> parts_;
};

} // namespace host::preview
