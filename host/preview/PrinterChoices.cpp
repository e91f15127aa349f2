// SPDX-License-Identifier: Apache-2.0
// The PPD is opened with the host's own reader (texts in the messages' language), copied, closed.
#include "host/preview/PrinterChoices.h"

#include "host/PpdFile.h"

#include <strings.h>

// libcups marks its whole PPD API deprecated; that API is how a PPD is read.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace host::preview {
namespace {

OptionChoices copyOption(const ppd_option_t& option)
{
    OptionChoices result;
    result.text = option.text;
    result.defaultChoice = option.defchoice;
    for (int c = 0; c < option.num_choices; ++c) {
        result.choices.emplace_back(option.choices[c].choice);
        result.choiceTexts.emplace_back(option.choices[c].text);
    }
    return result;
}

} // namespace

int OptionChoices::indexOf(const std::string& choice) const
{
    for (size_t i = 0; i < choices.size(); ++i)
        if (choices[i] == choice) return static_cast<int>(i);
    return -1;
}

std::string OptionChoices::at(int index) const
{
    return index >= 0 && static_cast<size_t>(index) < choices.size() ? choices[static_cast<size_t>(index)] : "";
}

std::optional<PrinterChoices> PrinterChoices::read(const std::string& ppdPath, std::string* error)
{
    PpdFile ppd = openPpd(ppdPath, error);
    if (!ppd) return std::nullopt;
    PrinterChoices result;
    for (int g = 0; g < ppd->num_groups; ++g) {
        const ppd_group_t& group = ppd->groups[g];
        for (int o = 0; o < group.num_options; ++o)
            result.options_[group.options[o].keyword] = copyOption(group.options[o]);
    }
    for (int s = 0; s < ppd->num_sizes; ++s)
        result.sizes_[ppd->sizes[s].name] = {ppd->sizes[s].width, ppd->sizes[s].length};
    return result;
}

const OptionChoices* PrinterChoices::option(const std::string& keyword) const
{
    auto found = options_.find(keyword);
    return found == options_.end() ? nullptr : &found->second;
}

PaperSize PrinterChoices::paper(const std::map<std::string, std::string>& jobOptions) const
{
    for (const char* name : {"PageSize", "media"}) {
        auto chosen = jobOptions.find(name);
        if (chosen == jobOptions.end()) continue;
        for (const auto& [size, dimensions] : sizes_)
            if (::strcasecmp(size.c_str(), chosen->second.c_str()) == 0) return dimensions;
    }
    if (const OptionChoices* pageSize = option("PageSize")) {
        auto found = sizes_.find(pageSize->defaultChoice);
        if (found != sizes_.end()) return found->second;
    }
    return {595, 842};
}

} // namespace host::preview
