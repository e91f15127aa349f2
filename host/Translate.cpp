// SPDX-License-Identifier: Apache-2.0
// gettext for the host's own messages; the plug-in has its own catalogue in its bundle.
#include "host/Translate.h"

#include <libintl.h>

#include <clocale>
#include <cstdlib>
#include <cstring>

#include <vector>

namespace host {
namespace {
constexpr const char* kDomain = "printdialog";
}

void setLocaleFromEnvironment()
{
    if (std::setlocale(LC_ALL, "")) return;
    if (!std::setlocale(LC_ALL, "C.UTF-8")) return;
    if (const char* list = std::getenv("LANGUAGE"); list && *list) return;
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (!value || !*value) continue;
        const std::string name(value, std::strcspn(value, ".@"));
        if (name != "C" && name != "POSIX") ::setenv("LANGUAGE", name.c_str(), 1);
        return;
    }
}

void bindTranslations(const std::string& localeDir)
{
    ::bindtextdomain(kDomain, localeDir.c_str());
    ::bind_textdomain_codeset(kDomain, "UTF-8");
}

std::string tr(const char* msgid)
{
    return ::dgettext(kDomain, msgid);
}

std::string trf(const char* msgid, std::initializer_list<std::string> arguments)
{
    const std::vector<std::string> values(arguments);
    const std::string text = tr(msgid);
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '{' && i + 2 < text.size() && text[i + 2] == '}' && text[i + 1] >= '1' && text[i + 1] <= '9') {
            const size_t n = static_cast<size_t>(text[i + 1] - '1');
            if (n < values.size()) {
                out += values[n];
                i += 2;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

} // namespace host
