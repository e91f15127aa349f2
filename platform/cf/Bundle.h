// SPDX-License-Identifier: Apache-2.0
// A bundle directory: its resources and its localized strings (gettext catalogues under locale/).
#pragma once

#include "Export.h"

#include <memory>
#include <string>
#include <string_view>

namespace cf {

class TL_EXPORT Bundle {
public:
    // A bundle at path whose catalogues carry the text domain `domain`.
    Bundle(std::string path, std::string domain);

    const std::string& path() const { return path_; }
    const std::string& domain() const { return domain_; }
    std::string resourcePath(std::string_view name) const;

    // The localized text of key in the bundle's default table; the key itself when none is found.
    std::string localizedString(std::string_view key) const;

private:
    std::string path_;
    std::string domain_;
};

using BundleRef = std::shared_ptr<Bundle>;

} // namespace cf
