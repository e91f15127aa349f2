// SPDX-License-Identifier: Apache-2.0
// The fixed options of the dialog's own panes and their texts.
#include "host/StandardPaneOptions.h"

#include "host/JobValues.h"
#include "host/Translate.h"

#include <initializer_list>
#include <utility>

namespace host {
namespace {

using Kind = PaneOption::Kind;
using Pairs = std::initializer_list<std::pair<const char*, const char*>>;

// CUPS's own banner names, offered when the printer is no queue that lists its own.
constexpr const char* kStandardSheets[] = {
    "none", "classified", "confidential", "secret", "standard", "topsecret", "unclassified"};

PaneOption make(const char* name, const char* title, const char* pane, Kind kind, const char* value)
{
    PaneOption option;
    option.name = name;
    option.title = tr(title);
    option.pane = pane;
    option.kind = kind;
    option.value = option.queueDefault = value;
    return option;
}

PaneOption choice(const char* name, const char* title, const char* pane, Pairs choices)
{
    PaneOption option = make(name, title, pane, Kind::Choice, choices.begin()->first);
    for (const auto& [value, text] : choices) option.choices.push_back({value, tr(text)});
    return option;
}

PaneOption toggle(const char* name, const char* title, const char* pane)
{
    PaneOption option = make(name, title, pane, Kind::Toggle, "false");
    option.choices = {{"false", tr("Off")}, {"true", tr("On")}};
    return option;
}

PaneOption number(const char* name, const char* title, const char* pane, int low, int high, const char* value)
{
    PaneOption option = make(name, title, pane, Kind::Number, value);
    option.minimum = low;
    option.maximum = high;
    return option;
}

// The queue's own default, when it names a value the option has.
void takeQueueDefault(PaneOption& option, const QueueAttributes& queue)
{
    auto found = queue.defaults.find(option.name);
    if (found == queue.defaults.end()) return;
    const std::string& value = found->second;
    const bool fits = option.freeForm()
        ? option.kind != Kind::Number || wholeNumber(value, option.minimum, option.maximum).has_value()
        : option.choice(value) != nullptr;
    if (fits) option.value = option.queueDefault = value;
}

std::vector<PaneOption> withDefaults(std::vector<PaneOption> options, const QueueAttributes& queue)
{
    for (PaneOption& option : options) takeQueueDefault(option, queue);
    return options;
}

PaneOption numberUp(const QueueAttributes& queue)
{
    PaneOption option = choice("number-up", "Pages per Sheet", kLayoutPane,
        {{"1", "1"}, {"2", "2"}, {"4", "4"}, {"6", "6"}, {"9", "9"}, {"16", "16"}});
    std::vector<PaneChoice> listed;
    for (const std::string& value : queue.numberUp)
        if (wholeNumber(value, 1, 100)) listed.push_back({value, value});
    if (!listed.empty()) option.choices = listed;
    return option;
}

PaneOption jobSheets(const QueueAttributes& queue)
{
    PaneOption option = make("job-sheets", "Cover Page", kJobPane, Kind::Choice, "none");
    std::vector<std::string> names = queue.jobSheets;
    if (names.empty()) names.assign(std::begin(kStandardSheets), std::end(kStandardSheets));
    for (const std::string& name : names) option.choices.push_back({name, name == "none" ? tr("None") : name});
    if (!option.choice("none")) option.value = option.queueDefault = names.front();
    return option;
}

} // namespace

const PaneChoice* PaneOption::choice(const std::string& wanted) const
{
    for (const PaneChoice& c : choices)
        if (c.value == wanted) return &c;
    return nullptr;
}

std::vector<PaneOption> copiesPaneOptions(const QueueAttributes& queue)
{
    return withDefaults(
        {number("copies", "Copies", kCopiesPane, 1, 9999, "1"), toggle("collate", "Collate", kCopiesPane),
            make("page-ranges", "Pages", kCopiesPane, Kind::Text, "")},
        queue);
}

std::vector<PaneOption> layoutPaneOptions(const QueueAttributes& queue, std::optional<PaneOption> twoSided)
{
    std::vector<PaneOption> options = {numberUp(queue),
        choice("number-up-layout", "Layout Direction", kLayoutPane,
            {{"lrtb", "Left to Right, Top to Bottom"}, {"lrbt", "Left to Right, Bottom to Top"},
                {"rltb", "Right to Left, Top to Bottom"}, {"rlbt", "Right to Left, Bottom to Top"},
                {"tblr", "Top to Bottom, Left to Right"}, {"tbrl", "Top to Bottom, Right to Left"},
                {"btlr", "Bottom to Top, Left to Right"}, {"btrl", "Bottom to Top, Right to Left"}}),
        choice("page-border", "Border", kLayoutPane,
            {{"none", "None"}, {"single", "Single Hairline"}, {"single-thick", "Single Thin Line"},
                {"double", "Double Hairline"}, {"double-thick", "Double Thin Line"}})};
    if (!twoSided)
        twoSided = choice("sides", "Two-Sided", kLayoutPane,
            {{"one-sided", "Off"}, {"two-sided-long-edge", "Long-Edge Binding"},
                {"two-sided-short-edge", "Short-Edge Binding"}});
    options.push_back(std::move(*twoSided));
    options.push_back(choice("orientation-requested", "Orientation", kLayoutPane,
        {{"3", "Portrait"}, {"4", "Landscape"}, {"5", "Reverse Landscape"}, {"6", "Reverse Portrait"}}));
    options.push_back(choice("outputorder", "Page Order", kLayoutPane, {{"normal", "Normal"}, {"reverse", "Reverse"}}));
    options.push_back(toggle("mirror", "Mirror Image", kLayoutPane));
    return withDefaults(std::move(options), queue);
}

std::vector<PaneOption> paperPaneOptions(const QueueAttributes& queue)
{
    return withDefaults({toggle("fit-to-page", "Scale to Fit Paper", kPaperPane),
                            choice("page-set", "Pages to Print", kPaperPane,
                                {{"all", "All Pages"}, {"odd", "Odd Pages Only"}, {"even", "Even Pages Only"}})},
        queue);
}

std::vector<PaneOption> jobPaneOptions(const QueueAttributes& queue)
{
    return withDefaults({make("job-name", "Job Name", kJobPane, Kind::Text, ""),
                            make("job-hold-until", "When to Print", kJobPane, Kind::Text, "no-hold"),
                            number("job-priority", "Priority", kJobPane, 1, 100, "50"), jobSheets(queue)},
        queue);
}

} // namespace host
