// SPDX-License-Identifier: Apache-2.0
// PPD opening.
#include "host/PpdFile.h"

#include "host/CupsOptions.h"
#include "host/Translate.h"

#include <cups/cups.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>

// libcups marks its whole PPD API deprecated; that API is how a PPD is read.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace host {

namespace {

void adoptMark(ppd_file_t* ppd, ppd_option_t& option)
{
    if (const ppd_choice_t* marked = ppdFindMarkedChoice(ppd, option.keyword))
        std::snprintf(option.defchoice, sizeof option.defchoice, "%s", marked->choice);
}

// The language gettext takes from LANGUAGE (its first entry; LANGUAGE counts unless messages are in
// the plain C locale); empty when LANGUAGE does not decide.
std::string gettextLanguage()
{
    const char* messages = std::setlocale(LC_MESSAGES, nullptr);
    if (!messages || std::strcmp(messages, "C") == 0 || std::strcmp(messages, "POSIX") == 0) return {};
    const char* list = std::getenv("LANGUAGE");
    if (!list) return {};
    std::string first(list, std::strcspn(list, ":"));
    return first.substr(0, first.find_first_of(".@"));
}

// libcups keeps only the translation strings of its default language when it reads a PPD, and takes
// that language from the locale or from LC_ALL, LC_MESSAGES and LANG, never from LANGUAGE. While this
// lives, libcups sees LANGUAGE's first language as its default.
class CupsLanguageScope {
public:
    explicit CupsLanguageScope(const std::string& language) : active_(!language.empty())
    {
        if (!active_) return;
        messages_ = std::setlocale(LC_MESSAGES, nullptr);
        if (const char* all = std::getenv("LC_ALL")) all_ = all;
        std::setlocale(LC_MESSAGES, "C");
        ::setenv("LC_ALL", language.c_str(), 1);
    }
    ~CupsLanguageScope()
    {
        if (!active_) return;
        if (all_)
            ::setenv("LC_ALL", all_->c_str(), 1);
        else
            ::unsetenv("LC_ALL");
        std::setlocale(LC_MESSAGES, messages_.c_str());
    }
    CupsLanguageScope(const CupsLanguageScope&) = delete;
    CupsLanguageScope& operator=(const CupsLanguageScope&) = delete;

private:
    bool active_;
    std::string messages_;
    std::optional<std::string> all_;
};

template <class Visit>
void forEachOption(ppd_file_t* ppd, Visit visit)
{
    // Walked through the groups: look-ups move libcups' own option cursor.
    for (int g = 0; g < ppd->num_groups; ++g) {
        const ppd_group_t& group = ppd->groups[g];
        for (int o = 0; o < group.num_options; ++o) visit(group.options[o]);
        for (int s = 0; s < group.num_subgroups; ++s)
            for (int o = 0; o < group.subgroups[s].num_options; ++o) visit(group.subgroups[s].options[o]);
    }
}

} // namespace

void PpdCloser::operator()(ppd_file_t* ppd) const
{
    ppdClose(ppd);
}

PpdFile openPpd(const std::string& path, std::string* error)
{
    PpdFile ppd;
    {
        CupsLanguageScope language(gettextLanguage());
        ppd.reset(ppdOpenFile(path.c_str()));
        // Option and choice texts become the PPD's translation strings for the language, if it has them.
        if (ppd) ppdLocalize(ppd.get());
    }
    if (!ppd) {
        int line = 0;
        ppd_status_t status = ppdLastError(&line);
        if (error)
            *error = trf("cannot open PPD {1}: {2} (line {3})", {path, ppdErrorString(status), std::to_string(line)});
        return nullptr;
    }
    ppdMarkDefaults(ppd.get());
    return ppd;
}

void applyDestinationDefaults(ppd_file_t* ppd, const std::vector<std::pair<std::string, std::string>>& options)
{
    if (!ppd || options.empty()) return;
    CupsOptions marked;
    for (const auto& [name, value] : options) marked.add(name, value);
    cupsMarkOptions(ppd, marked.count(), marked.list());
    forEachOption(ppd, [ppd](ppd_option_t& option) { adoptMark(ppd, option); });
}

} // namespace host
