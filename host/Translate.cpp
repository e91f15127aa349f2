// gettext for the host's own messages; the plug-in has its own catalogue in its bundle.
#include "host/Translate.h"

#include <libintl.h>

namespace host {
namespace {
constexpr const char* kDomain = "printdialog";
}

void bindTranslations(const std::string& programDir)
{
    ::bindtextdomain(kDomain, (programDir + "/locale").c_str());
    ::bind_textdomain_codeset(kDomain, "UTF-8");
}

std::string tr(const char* msgid) { return ::dgettext(kDomain, msgid); }

} // namespace host
