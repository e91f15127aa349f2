// SPDX-License-Identifier: Apache-2.0
// Property lists: XML (the published format, version 1.0) read and written, binary read.
#pragma once

#include "Export.h"

#include "cf/Object.h"

#include <optional>
#include <string>
#include <string_view>

namespace cf {

class TL_EXPORT PropertyList {
public:
    // What becomes of values the format has and this layer lacks (dates, UIDs): they make the whole
    // input unreadable, or they are left out of their dictionary or array.
    enum class Unsupported { Refuse, Skip };

    // Parses XML (or binary) property-list bytes; null when they are not a property list, or nest
    // deeper than any real file. Dictionary keys holding a NUL character are left out.
    static Ref createFromData(std::string_view bytes, Unsupported unsupported = Unsupported::Refuse);
    // Serialises a value as an XML property list; nothing when it holds a value the format lacks.
    static std::optional<std::string> createXMLData(const Ref& root);
};

} // namespace cf
