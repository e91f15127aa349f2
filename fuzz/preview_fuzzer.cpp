// SPDX-License-Identifier: Apache-2.0
// The preview's readers of bytes that come from a user's document: the sniffer that tells its kind,
// and pdfinfo's report on a laid-out document (page sizes and turns the document chose).
#include "host/preview/DocumentKind.h"
#include "host/preview/PdfPages.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    host::preview::DocumentKinds::fromBytes(bytes);
    if (auto sheets = host::preview::PdfPages::parse(bytes)) {
        for (const auto& sheet : *sheets)
            if (!(sheet.width > 0) || sheet.rotate < 0 || sheet.rotate >= 360) __builtin_trap();
    }
    return 0;
}
