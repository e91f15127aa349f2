// SPDX-License-Identifier: Apache-2.0
// Pane options from PPD options.
#include "host/PpdPaneOptions.h"

#include <cups/cups.h>

#include <cmath>
#include <cstdio>
#include <cstring>

// libcups marks its whole PPD API deprecated; that API is how a PPD is read.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace host {
namespace {

std::string inches(float points)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", points / 72.0);
    std::string value = text;
    while (value.back() == '0') value.pop_back();
    if (value.back() == '.') value.pop_back();
    return value;
}

// "A4 (210 x 297 mm)", "US Letter (8.5 x 11 in)": the size as the paper's own system measures it.
std::string sizeTitle(ppd_file_t* ppd, const ppd_choice_t& choice)
{
    const ppd_size_t* size = ppdPageSize(ppd, choice.choice);
    if (!size || size->width <= 0 || size->length <= 0) return choice.text;
    const pwg_media_t* media = pwgMediaForPPD(choice.choice);
    const bool imperial = media && media->pwg && std::strncmp(media->pwg, "na_", 3) == 0;
    const std::string dimensions = imperial ? inches(size->width) + " \u00d7 " + inches(size->length) + " in"
                                            : std::to_string(std::lround(size->width * 25.4 / 72)) + " \u00d7 " +
            std::to_string(std::lround(size->length * 25.4 / 72)) + " mm";
    return std::string(choice.text) + " (" + dimensions + ")";
}

PaneOption fromPpd(ppd_file_t* ppd, const ppd_option_t& option, const char* pane, const char* group)
{
    PaneOption pane_option;
    pane_option.name = option.keyword;
    pane_option.title = option.text[0] ? option.text : option.keyword;
    pane_option.pane = pane;
    pane_option.group = group ? group : "";
    pane_option.fromPpd = true;
    const bool isSize = std::strcmp(option.keyword, "PageSize") == 0;
    for (int i = 0; i < option.num_choices; ++i) {
        const ppd_choice_t& c = option.choices[i];
        if (std::strcmp(c.choice, "Custom") == 0) continue; // a custom size needs fields of its own
        pane_option.choices.push_back(
            {c.choice, isSize ? sizeTitle(ppd, c) : std::string(c.text[0] ? c.text : c.choice)});
    }
    pane_option.value = pane_option.queueDefault = option.defchoice;
    if (!pane_option.choice(pane_option.value) && !pane_option.choices.empty())
        pane_option.value = pane_option.queueDefault = pane_option.choices.front().value;
    return pane_option;
}

} // namespace

std::optional<PaneOption> ppdPaneOption(ppd_file_t* ppd, const char* keyword, const char* pane)
{
    ppd_option_t* option = ppd ? ppdFindOption(ppd, keyword) : nullptr;
    if (!option || option->num_choices == 0) return std::nullopt;
    return fromPpd(ppd, *option, pane, nullptr);
}

std::vector<PaneOption> printerFeatures(ppd_file_t* ppd, const std::set<std::string>& taken)
{
    std::vector<PaneOption> features;
    if (!ppd) return features;
    auto visit = [&](const ppd_option_t& option, const char* group) {
        if (taken.count(option.keyword) || std::strcmp(option.keyword, "PageRegion") == 0) return;
        if (option.num_choices > 0) features.push_back(fromPpd(ppd, option, kFeaturesPane, group));
    };
    for (int g = 0; g < ppd->num_groups; ++g) {
        const ppd_group_t& group = ppd->groups[g];
        for (int o = 0; o < group.num_options; ++o) visit(group.options[o], group.text);
        for (int s = 0; s < group.num_subgroups; ++s)
            for (int o = 0; o < group.subgroups[s].num_options; ++o)
                visit(group.subgroups[s].options[o], group.subgroups[s].text);
    }
    return features;
}

} // namespace host
