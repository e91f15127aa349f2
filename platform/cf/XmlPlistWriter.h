// SPDX-License-Identifier: Apache-2.0
// Writes XML property lists itself, byte for byte as libplist 2.2 lays them out, in time linear in
// the number of values.
#pragma once

#include "Export.h"

#include "cf/Object.h"

#include <optional>
#include <string>

namespace cf {

class TL_EXPORT XmlPlistWriter {
public:
    // The value as an XML property list; nothing when it is null, holds a null value or a
    // dictionary with a key that is no string. Strings and keys end at their first NUL character.
    static std::optional<std::string> write(const Ref& root);
};

} // namespace cf
