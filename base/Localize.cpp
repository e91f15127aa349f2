// SPDX-License-Identifier: Apache-2.0
// The plug-in's bundle and the lookup of its localized strings.
#include "base/Localize.h"

namespace tlco {

cf::BundleRef pluginBundle;

std::optional<std::string> localizedString(std::string_view key)
{
    if (!pluginBundle) return std::nullopt;
    return pluginBundle->localizedString(key);
}

} // namespace tlco
