// XML property lists (the published format, version 1.0) through libplist, and atomic file writes.
#pragma once

#include "Export.h"

#include "cf/Object.h"

#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>

namespace cf {

class TL_EXPORT PropertyList {
public:
    // Parses XML (or binary) property-list bytes; null when they are not a property list.
    static Ref createFromData(std::string_view bytes);
    // Serialises a value as an XML property list; nothing when it holds a value the format lacks.
    static std::optional<std::string> createXMLData(const Ref& root);

    // The whole file, or nothing when it cannot be read.
    static std::optional<std::string> readFile(const std::string& path);
    // Writes a temporary file beside path, flushes it to disk and renames it over path, so a reader
    // sees the old or the new file, never a mixture. The file gets the given mode. False on failure,
    // and then no temporary file is left behind.
    static bool writeFileAtomically(const std::string& path, std::string_view bytes, mode_t mode);
};

} // namespace cf
