// PPD opening.
#include "host/PpdFile.h"

#include <cups/cups.h>

#include <cstdio>

// libcups marks its whole PPD API deprecated; that API is how a PPD is read.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace host {

namespace {

void adoptMark(ppd_file_t* ppd, ppd_option_t& option)
{
    if (const ppd_choice_t* marked = ppdFindMarkedChoice(ppd, option.keyword))
        std::snprintf(option.defchoice, sizeof option.defchoice, "%s", marked->choice);
}

} // namespace

void PpdCloser::operator()(ppd_file_t* ppd) const { ppdClose(ppd); }

PpdFile openPpd(const std::string& path, std::string* error)
{
    PpdFile ppd(ppdOpenFile(path.c_str()));
    if (!ppd) {
        int line = 0;
        ppd_status_t status = ppdLastError(&line);
        if (error) *error = "cannot open PPD " + path + ": " + ppdErrorString(status) + " (line " + std::to_string(line) + ")";
        return nullptr;
    }
    ppdMarkDefaults(ppd.get());
    return ppd;
}

void applyDestinationDefaults(ppd_file_t* ppd, const std::vector<std::pair<std::string, std::string>>& options)
{
    if (!ppd || options.empty()) return;
    int count = 0;
    cups_option_t* list = nullptr;
    for (const auto& [name, value] : options) count = cupsAddOption(name.c_str(), value.c_str(), count, &list);
    cupsMarkOptions(ppd, count, list);
    cupsFreeOptions(count, list);
    // Walked through the groups: the look-up of a marked choice moves libcups' own option cursor.
    for (int g = 0; g < ppd->num_groups; ++g) {
        const ppd_group_t& group = ppd->groups[g];
        for (int o = 0; o < group.num_options; ++o) adoptMark(ppd, group.options[o]);
        for (int s = 0; s < group.num_subgroups; ++s)
            for (int o = 0; o < group.subgroups[s].num_options; ++o) adoptMark(ppd, group.subgroups[s].options[o]);
    }
}

} // namespace host
