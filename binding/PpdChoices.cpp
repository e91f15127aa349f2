// SPDX-License-Identifier: Apache-2.0
// Choice lists read through libcups, with a conflict flag per choice found by a trial mark.
#include "binding/PpdChoices.h"

#include "base/Status.h"
#include "binding/PpdEncoding.h"

#include <cctype>
#include <cstring>
#include <limits>
#include <new>
#include <optional>
#include <set>
#include <string>
#include <utility>

// libcups marks its whole PPD API deprecated; that API is this panel's named dependency.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace tlco {
namespace {

std::string lowered(std::string_view text)
{
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// The choices of an option that a constraint names, lowercased (libcups compares choices without
// case); nothing when any choice may conflict (a constraint on the whole option, or constraints
// libcups keeps as attributes). Marking a choice no constraint names can't make its option conflict,
// so only these need a trial mark: a list of many choices is built in one pass, not quadratic time.
std::optional<std::set<std::string>> constrainedChoices(ppd_file_t* ppd, const ppd_option_t& option)
{
    if (ppdFindAttr(ppd, "cupsUIConstraints", nullptr)) return std::nullopt;
    std::set<std::string> named;
    for (int i = 0; i < ppd->num_consts; ++i) {
        const ppd_const_t& constraint = ppd->consts[i];
        for (const auto& [constrained, choice] :
            {std::pair{constraint.option1, constraint.choice1}, std::pair{constraint.option2, constraint.choice2}}) {
            if (std::strcmp(constrained, option.keyword) != 0) continue;
            if (choice[0] == '\0') return std::nullopt;
            named.insert(lowered(choice));
        }
    }
    return named;
}

} // namespace

int32_t readChoiceList(ppd_file_t* ppd, const char* key, std::unique_ptr<ChoiceList>& list)
{
    if (!ppd || !key || !ppdFindOption(ppd, key)) return kPMPPDOptionNotFound;

    list.reset(new (std::nothrow) ChoiceList());
    if (!list) return kPMArrayCreateFailed;
    int16_t count = 0;
    int32_t status = appendChoices(ppd, key, list.get(), &count);
    if (status != noErr) list.reset();
    return status;
}

int32_t appendChoices(ppd_file_t* ppd, const char* key, ChoiceList* list, int16_t* count)
{
    if (!list || !ppd || !key) return noErr;
    ppd_option_t* option = ppdFindOption(ppd, key);
    if (!option || option->num_choices <= 0) return noErr;

    const cf::StringEncoding encoding = ppdTextEncoding(ppd, ppdCFStringEncoding(ppd));
    const std::string optionKeyword = decodePPDText(ppdField(option->keyword), encoding);
    const std::string defaultChoice = decodePPDText(ppdField(option->defchoice), encoding);
    try {
        const auto candidates = constrainedChoices(ppd, *option);
        list->reserve(list->size() + static_cast<size_t>(option->num_choices));
        for (int i = 0; i < option->num_choices; ++i) {
            const ppd_choice_t& choice = option->choices[i];
            const bool needsTrial =
                !candidates || candidates->count(lowered(ppdField(choice.choice))) != 0 || choice.marked;
            bool conflicted = needsTrial && isChoiceConflicted(ppd, option->keyword, choice.choice);
            list->push_back(ChoiceEntry{optionKeyword, defaultChoice, decodePPDText(ppdField(choice.choice), encoding),
                decodePPDText(ppdField(choice.text), encoding), conflicted ? kConflictTrue : kConflictFalse});
            if (count && *count < std::numeric_limits<int16_t>::max()) ++*count;
        }
    } catch (const std::bad_alloc&) {
        return memFullErr;
    }
    return noErr;
}

bool isChoiceConflicted(ppd_file_t* ppd, const char* option, const char* choice)
{
    if (!ppd || !option || !choice) return false;
    ppd_option_t* found = ppdFindOption(ppd, option);
    if (!found) return false;
    if (ppdIsMarked(ppd, option, choice)) return found->conflicted != 0;

    // The choice pointer stays valid while marks change, but keep the keyword, not the pointer.
    const ppd_choice_t* previous = ppdFindMarkedChoice(ppd, option);
    const std::string previousKeyword = previous ? std::string(ppdField(previous->choice)) : std::string();

    ppdMarkOption(ppd, option, choice);
    const bool answer = found->conflicted != 0;

    if (previous) {
        ppdMarkOption(ppd, option, previousKeyword.c_str());
    } else if (ppd_choice_t* trial = ppdFindChoice(found, choice)) {
        trial->marked = 0;
        // libcups answers every mark query from its list of marked choices; resetting the flag alone
        // would leave the trial choice marked there.
        if (ppd->marked) cupsArrayRemove(ppd->marked, trial);
    }
    return answer;
}

int32_t findChoice(const ChoiceList* list, std::string_view option, std::string_view choice)
{
    if (!list) return -1;
    for (size_t i = 0; i < list->size(); ++i) {
        const ChoiceEntry& entry = (*list)[i];
        if (entry.option == option && entry.keyword == choice) return static_cast<int32_t>(i);
    }
    return -1;
}

} // namespace tlco
