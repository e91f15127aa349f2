// SPDX-License-Identifier: Apache-2.0
// The host's own words, translated through gettext (text domain "printdialog").
#pragma once

#include <initializer_list>
#include <string>

namespace host {

// setlocale(LC_ALL, "") for the program. When the locale the environment names is not installed, the
// program runs in C.UTF-8 with that locale's language in LANGUAGE, so that texts still follow it.
void setLocaleFromEnvironment();

// Binds the text domain to the catalogues under localeDir (LANG/LC_MESSAGES/printdialog.mo); call
// once after setlocale.
void bindTranslations(const std::string& localeDir);

// The translation of msgid under the current locale; msgid itself when there is none.
std::string tr(const char* msgid);
// tr, then {1}, {2}, ... replaced by the arguments (translations may reorder them).
std::string trf(const char* msgid, std::initializer_list<std::string> arguments);

} // namespace host
