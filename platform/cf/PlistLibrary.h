// SPDX-License-Identifier: Apache-2.0
// Property lists through libplist: every format it reads (XML and binary), and XML written by it.
// It looks every dictionary key up in a table of fixed size, so large dictionaries cost more per
// key; the property-list layer keeps it for what its own XML reader and writer leave to it.
#pragma once

#include "Export.h"

#include "cf/Object.h"
#include "cf/PropertyList.h"

#include <optional>
#include <string>
#include <string_view>

namespace cf {

class TL_EXPORT PlistLibrary {
public:
    // As PropertyList::createFromData.
    static Ref read(std::string_view bytes, PropertyList::Unsupported unsupported);
    // As PropertyList::createXMLData.
    static std::optional<std::string> writeXml(const Ref& root);
};

} // namespace cf
