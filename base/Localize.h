// SPDX-License-Identifier: Apache-2.0
// The plug-in's bundle (the first one the dialog gave the factory) and its localized strings.
#pragma once

#include "cf/Bundle.h"

#include <optional>
#include <string>
#include <string_view>

namespace tlco {

// Set by PDEPlugIn::initWithBundle; null until then.
extern cf::BundleRef pluginBundle;

// The localized text of key in the bundle's default table (the key itself when the table has none);
// nothing when the bundle is not available.
std::optional<std::string> localizedString(std::string_view key);

} // namespace tlco
