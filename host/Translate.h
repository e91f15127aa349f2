// The host's own words, translated through gettext (text domain "printdialog").
#pragma once

#include <string>

namespace host {

// Binds the text domain to the catalogues installed beside the program; call once after setlocale.
void bindTranslations(const std::string& programDir);

// The translation of msgid under the current locale; msgid itself when there is none.
std::string tr(const char* msgid);

} // namespace host
