// SPDX-License-Identifier: Apache-2.0
// Process-wide table of classes by registered name. The toolkit's own classes are always there.
#pragma once

#include "Export.h"

#include "ui/ClassInfo.h"

#include <string_view>

namespace ui {

class TL_EXPORT ClassRegistry {
public:
    // Adds a class; false (and no change) when another class already has the name.
    static bool registerClass(const ClassInfo& info);
    static const ClassInfo* find(std::string_view name);
};

} // namespace ui
