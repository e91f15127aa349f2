// SPDX-License-Identifier: Apache-2.0
// Fixed paths of the original platform that a plug-in names as constants (its icons, its folders
// under /Library/Printers), and where this system keeps what lies there: inside the plug-in's bundle.
#pragma once

#include "Export.h"

#include "cf/Bundle.h"

#include <string>
#include <string_view>

namespace svc {

class TL_EXPORT FixedPaths {
public:
    // The local path for `path` in `bundle`: the table's prefix replaced by its place in the bundle,
    // and an icon file (.icns) taken as the PNG beside it; a path the table does not know stays as
    // it is.
    static std::string resolve(std::string_view path, const cf::Bundle& bundle);
};

} // namespace svc
