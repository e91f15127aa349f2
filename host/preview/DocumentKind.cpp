// SPDX-License-Identifier: Apache-2.0
// Looks at the first 4 KB only, so a huge file costs nothing here.
#include "host/preview/DocumentKind.h"

#include <fstream>
#include <string_view>
#include <sys/stat.h>

namespace host::preview {
namespace {

bool isText(std::string_view bytes)
{
    size_t i = 0;
    while (i < bytes.size()) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c < 0x80) {
            if (c < 0x20 && c != '\n' && c != '\r' && c != '\t' && c != '\f') return false;
            if (c == 0x7f) return false;
            ++i;
            continue;
        }
        const size_t length = c >= 0xf0 ? 4 : c >= 0xe0 ? 3 : c >= 0xc2 ? 2 : 0;
        if (length == 0 || c > 0xf4) return false;
        // A sequence cut at the end of the sniffed bytes is not held against the file.
        for (size_t k = 1; k < length && i + k < bytes.size(); ++k)
            if ((static_cast<unsigned char>(bytes[i + k]) & 0xc0) != 0x80) return false;
        i += length;
    }
    return true;
}

} // namespace

DocumentKind DocumentKinds::detect(const std::string& path)
{
    struct stat info { };
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return DocumentKind::Unreadable;
    std::ifstream in(path, std::ios::binary);
    if (!in) return DocumentKind::Unreadable;
    std::string head(kSniffBytes, '\0');
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<size_t>(in.gcount()));
    return fromBytes(head);
}

DocumentKind DocumentKinds::fromBytes(std::string_view head)
{
    const std::string_view bytes = head.substr(0, kSniffBytes);
    if (bytes.empty()) return DocumentKind::Empty;
    // CUPS's rule: "%PDF" after any line breaks.
    const size_t start = bytes.find_first_not_of("\r\n");
    if (start != std::string_view::npos && bytes.substr(start, 5) == "%PDF-") return DocumentKind::Pdf;
    if (bytes.substr(0, 2) == "%!" || bytes.substr(0, 4) == "\x04%!") return DocumentKind::PostScript;
    if (bytes.substr(0, 8) == "\x89PNG\r\n\x1a\n") return DocumentKind::Png;
    if (bytes.substr(0, 3) == "\xff\xd8\xff") return DocumentKind::Jpeg;
    if (isText(bytes)) return DocumentKind::Text;
    return DocumentKind::Unknown;
}

std::string DocumentKinds::mimeType(DocumentKind kind)
{
    switch (kind) {
    case DocumentKind::Pdf:
        return "application/pdf";
    case DocumentKind::PostScript:
        return "application/postscript";
    case DocumentKind::Png:
        return "image/png";
    case DocumentKind::Jpeg:
        return "image/jpeg";
    case DocumentKind::Text:
        return "text/plain";
    default:
        return {};
    }
}

} // namespace host::preview
