// SPDX-License-Identifier: Apache-2.0
// Bundle resources and gettext-backed localized strings.
#include "cf/Bundle.h"

#include <libintl.h>

namespace cf {

Bundle::Bundle(std::string path, std::string domain) : path_(std::move(path)), domain_(std::move(domain))
{
    // Catalogues are compiled into <bundle>/locale/<lang>/LC_MESSAGES/<domain>.mo.
    bindtextdomain(domain_.c_str(), (path_ + "/locale").c_str());
    bind_textdomain_codeset(domain_.c_str(), "UTF-8");
}

std::string Bundle::resourcePath(std::string_view name) const
{
    return path_ + "/" + std::string(name);
}

std::string Bundle::localizedString(std::string_view key) const
{
    // gettext answers the empty key with the catalogue header, so it never reaches it.
    if (key.empty()) return std::string();
    std::string k(key);
    return dgettext(domain_.c_str(), k.c_str());
}

} // namespace cf
