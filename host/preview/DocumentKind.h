// SPDX-License-Identifier: Apache-2.0
// What kind of document a file holds, from its first bytes, as CUPS's type rules tell them apart.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace host::preview {

enum class DocumentKind { Pdf, PostScript, Png, Jpeg, Text, Empty, Unknown, Unreadable };

class DocumentKinds {
public:
    // The kind of the file at path: Unreadable when it cannot be opened (or is no regular file),
    // Empty for 0 bytes, Text for UTF-8 text without control characters other than white space.
    static DocumentKind detect(const std::string& path);
    // The kind the first bytes of a file (at most kSniffBytes) tell: as detect, Unreadable aside.
    static DocumentKind fromBytes(std::string_view head);
    // The MIME type CUPS gives the kind; empty for Empty, Unknown and Unreadable.
    static std::string mimeType(DocumentKind kind);

    static constexpr size_t kSniffBytes = 4096;
};

} // namespace host::preview
