// SPDX-License-Identifier: Apache-2.0
// Reads XML property lists itself, on libxml2's SAX2 parser, in time linear in the number of
// values. It takes the documents that plistlib, libplist and this system write (UTF-8, the
// elements of the format but dates, no entities of their own) and reads them to what libplist
// reads from them; anything else it leaves to libplist.
#pragma once

#include "Export.h"

#include "cf/Object.h"

#include <optional>
#include <string_view>

namespace cf {

class TL_EXPORT XmlPlistReader {
public:
    // The document's value (never null); nothing when the bytes are not a document this reader
    // takes, which includes every document that is no property list.
    static std::optional<Ref> read(std::string_view bytes);
};

} // namespace cf
