// SPDX-License-Identifier: Apache-2.0
// Building the panes' options, choosing among them, and keeping the PPD's constraints.
#include "host/DialogPanes.h"

#include "host/JobValues.h"
#include "host/PpdPaneOptions.h"
#include "host/StandardPaneOptions.h"
#include "host/Translate.h"

#include <cups/cups.h>

#include <cctype>
#include <optional>

namespace host {
namespace {

constexpr const char* kPaneOrder[] = {kCopiesPane, kLayoutPane, kPaperPane, kFeaturesPane, kJobPane};
// The PPD's options that the panes other than Printer Features show.
constexpr const char* kPlacedPpdOptions[] = {"PageSize", "PageRegion", "Duplex", "InputSlot", "MediaType"};

constexpr std::pair<const char*, const char*> kSidesToDuplex[] = {
    {"one-sided", "None"}, {"two-sided-long-edge", "DuplexNoTumble"}, {"two-sided-short-edge", "DuplexTumble"}};

std::optional<std::string> toggleValue(const std::string& text)
{
    std::string lower;
    for (char c : text) lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (const char* yes : {"true", "yes", "on"})
        if (lower == yes) return std::string("true");
    for (const char* no : {"false", "no", "off"})
        if (lower == no) return std::string("false");
    return std::nullopt;
}

void append(std::vector<PaneOption>& to, std::vector<PaneOption> from)
{
    for (PaneOption& option : from) to.push_back(std::move(option));
}

std::string listed(const std::vector<std::string>& values)
{
    std::string text;
    for (const std::string& value : values) text += (text.empty() ? "" : ", ") + value;
    return text;
}

} // namespace

DialogPanes::DialogPanes(
    PpdFile ppd, const QueueAttributes& queue, const std::set<std::string>& claimed, PanelChoices panel)
    : conflicts_(std::move(ppd)), panel_(std::move(panel))
{
    ppd_file_t* file = conflicts_.ppd();
    std::set<std::string> taken = claimed;
    taken.insert(std::begin(kPlacedPpdOptions), std::end(kPlacedPpdOptions));
    append(options_, copiesPaneOptions(queue));
    append(options_, layoutPaneOptions(queue, ppdPaneOption(file, "Duplex", kLayoutPane)));
    for (const char* keyword : {"PageSize", "InputSlot", "MediaType"})
        if (auto option = ppdPaneOption(file, keyword, kPaperPane)) options_.push_back(std::move(*option));
    append(options_, paperPaneOptions(queue));
    append(options_, printerFeatures(file, taken));
    append(options_, jobPaneOptions(queue));
    // The queue reports its PPD defaults as NAME-default attributes too.
    for (PaneOption& option : options_)
        if (auto found = queue.defaults.find(option.name);
            option.fromPpd && found != queue.defaults.end() && option.choice(found->second))
            option.value = option.queueDefault = found->second;
    resolveConflicts({});
}

const std::vector<PaneOption>& DialogPanes::options()
{
    refresh();
    return options_;
}

const PaneOption* DialogPanes::find(const std::string& name) const
{
    for (const PaneOption& option : options_)
        if (option.name == name) return &option;
    if (name == "media") return find("PageSize");
    if (name == "sides") return find("Duplex");
    return nullptr;
}

std::vector<std::string> DialogPanes::paneNames() const
{
    std::vector<std::string> names;
    for (const char* pane : kPaneOrder)
        for (const PaneOption& option : options_)
            if (option.pane == pane) {
                names.push_back(pane);
                break;
            }
    return names;
}

std::vector<std::string> DialogPanes::offered(const std::string& name)
{
    refresh();
    std::vector<std::string> values;
    if (const PaneOption* option = find(name))
        for (const PaneChoice& choice : option->choices)
            if (choice.available) values.push_back(choice.value);
    return values;
}

const PaneOption* DialogPanes::lookup(const std::string& name, std::string& value) const
{
    const PaneOption* option = find(name);
    if (!option || option->name == name) return option;
    // An alias: its values in the option's terms.
    if (name == "sides") {
        for (const auto& [sides, duplex] : kSidesToDuplex)
            if (value == sides) value = duplex;
    } else if (name == "media" && !option->choice(value)) {
        const pwg_media_t* media = pwgMediaForPWG(value.c_str());
        if (!media) media = pwgMediaForLegacy(value.c_str());
        if (media && media->ppd) value = media->ppd;
    }
    return option;
}

const PaneOption* DialogPanes::resolve(const std::string& name, std::string& value) const
{
    const PaneOption* option = lookup(name, value);
    return option && accept(*option, value, nullptr) ? option : nullptr;
}

PaneOption* DialogPanes::mutableOption(const PaneOption* option)
{
    for (PaneOption& mine : options_)
        if (&mine == option) return &mine;
    return nullptr;
}

bool DialogPanes::accept(const PaneOption& option, std::string& value, std::string* error) const
{
    std::string reason;
    std::optional<std::string> checked;
    switch (option.kind) {
    case PaneOption::Kind::Number:
        if (auto n = wholeNumber(value, option.minimum, option.maximum)) checked = std::to_string(*n);
        reason = trf("{1} takes a whole number from {2} to {3}, not {4}",
            {option.name, std::to_string(option.minimum), std::to_string(option.maximum), value});
        break;
    case PaneOption::Kind::Text:
        checked = option.name == "page-ranges" ? checkPageList(value, &reason)
            : option.name == "job-hold-until"  ? checkHoldTime(value, &reason)
                                               : std::optional<std::string>(value);
        break;
    case PaneOption::Kind::Toggle:
        // As CUPS reads a boolean option.
        if (auto flag = toggleValue(value)) value = *flag;
        [[fallthrough]];
    default:
        if (option.choice(value)) checked = value;
        std::vector<std::string> values;
        for (const PaneChoice& choice : option.choices) values.push_back(choice.value);
        reason = trf("{1} has no choice {2}; its choices are {3}", {option.name, value, listed(values)});
    }
    if (!checked && error) *error = reason;
    if (checked) value = *checked;
    return checked.has_value();
}

PaneOption* DialogPanes::accepted(const std::string& name, std::string& value, std::string* error)
{
    PaneOption* option = mutableOption(lookup(name, value));
    if (!option) {
        if (error) *error = trf("the dialog's panes have no option {1}", {name});
        return nullptr;
    }
    return accept(*option, value, error) ? option : nullptr;
}

bool DialogPanes::choose(const std::string& name, const std::string& value, std::string* error)
{
    std::string wanted = value;
    PaneOption* option = accepted(name, wanted, error);
    if (!option) return false;
    refresh();
    if (const PaneChoice* choice = option->choice(wanted); choice && !choice->available) {
        if (error)
            *error = trf("{1}={2} conflicts with the other choices; the pane offers {3}",
                {option->name, wanted, listed(offered(option->name))});
        return false;
    }
    option->value = wanted;
    return true;
}

bool DialogPanes::valid(const std::string& name, const std::string& value, std::string* error) const
{
    std::string wanted = value;
    const PaneOption* option = lookup(name, wanted);
    if (!option && error) *error = trf("the dialog's panes have no option {1}", {name});
    return option && accept(*option, wanted, error);
}

bool DialogPanes::start(const std::string& name, const std::string& value, std::string* error)
{
    std::string wanted = value;
    PaneOption* option = accepted(name, wanted, error);
    if (!option) return false;
    option->value = wanted;
    if (option->fromPpd) resolveConflicts(option->name);
    return true;
}

DialogPanes::Pairs DialogPanes::changed()
{
    resolveConflicts({});
    Pairs pairs;
    for (const PaneOption& option : options_)
        if (option.value != option.queueDefault) pairs.emplace_back(option.name, option.value);
    return pairs;
}

std::vector<std::string> DialogPanes::checkpoint() const
{
    std::vector<std::string> values;
    for (const PaneOption& option : options_) values.push_back(option.value);
    return values;
}

void DialogPanes::revert(const std::vector<std::string>& values)
{
    for (size_t i = 0; i < options_.size() && i < values.size(); ++i) options_[i].value = values[i];
}

PaneConflicts::Choices DialogPanes::marked() const
{
    PaneConflicts::Choices choices = panel_ ? panel_() : PaneConflicts::Choices();
    for (const PaneOption& option : options_)
        if (option.fromPpd) choices[option.name] = option.value;
    return choices;
}

void DialogPanes::refresh()
{
    conflicts_.mark(marked());
    for (PaneOption& option : options_) {
        for (PaneChoice& choice : option.choices)
            choice.available =
                !option.fromPpd || choice.value == option.value || !conflicts_.conflicts(option.name, choice.value);
        if (option.name == "collate") option.enabled = find("copies")->value != "1";
        if (option.name == "number-up-layout" || option.name == "page-border")
            option.enabled = find("number-up")->value != "1";
    }
}

void DialogPanes::resolveConflicts(const std::string& keep)
{
    conflicts_.mark(marked());
    const PaneOption* kept = keep.empty() ? nullptr : find(keep);
    auto changes = conflicts_.resolve(keep, kept ? kept->value : std::string());
    // Past resolving: the other options of the panes go back to the queue's defaults.
    for (PaneOption& option : options_) {
        if (!option.fromPpd || option.name == keep) continue;
        if (!changes)
            option.value = option.queueDefault;
        else if (auto found = changes->find(option.name); found != changes->end() && option.choice(found->second))
            option.value = found->second;
    }
}

} // namespace host
