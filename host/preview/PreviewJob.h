// SPDX-License-Identifier: Apache-2.0
// What the preview shows: the job's documents, the dialog's layout options, the panel's settings.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace host::preview {

using OptionMap = std::map<std::string, std::string>;

struct Document {
    std::string path;
    std::string title; // how the notes name it; empty: the file's name
    bool operator==(const Document&) const = default;
};

struct PreviewJob {
    std::vector<Document> documents;
    OptionMap layout;  // the dialog's panes as CUPS options ("number-up" -> "2", "PageSize" -> "A4")
    OptionMap ticket;  // the ticket's top-level entries: the panel's PPD keywords and profile keys
    bool proof = true; // false: the plain layout, the document's own colours
    bool operator==(const PreviewJob&) const = default;
};

} // namespace host::preview
