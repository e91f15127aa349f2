// SPDX-License-Identifier: Apache-2.0
// The sheets of a job, document after document, as CUPS's filters lay them out. A document is laid
// out again only when it or an option that changes the layout changed.
#pragma once

#include "host/preview/CupsFilterChain.h"
#include "host/preview/LruCache.h"
#include "host/preview/PdfPages.h"
#include "host/preview/PreviewJob.h"

#include <atomic>
#include <string>
#include <vector>

namespace host::preview {

struct SheetRef {
    std::string pdf; // the laid-out document, by its name in the work folder
    int page = 1;    // its page that is the sheet
    SheetGeometry geometry;
    std::string document; // the document's title
};

struct JobSheets {
    std::vector<SheetRef> sheets;
    std::vector<std::string> notes; // one for each document that gives no sheet, and why
    bool cancelled = false;
};

class JobLayout {
public:
    // setup is borrowed; files go into workFolder.
    JobLayout(const PreviewSetup& setup, std::string workFolder);

    JobSheets layOut(const std::vector<Document>& documents, const OptionMap& options, const std::atomic<bool>* cancel);

    // Options that do not change what a sheet shows (copies, the job's name, when it prints, ...),
    // and the output order: the preview shows sheets in reading order.
    static OptionMap layoutOptions(const OptionMap& options);
    int runs() const { return runs_; }

private:
    struct Laid {
        std::vector<SheetRef> sheets;
        std::string note;
    };
    Laid layOutDocument(const Document& document, const OptionMap& options, const std::atomic<bool>* cancel);

    const PreviewSetup& setup_;
    std::string folder_;
    CupsFilterChain filters_;
    LruCache<Laid> laid_{32};
    int runs_ = 0;
};

} // namespace host::preview
