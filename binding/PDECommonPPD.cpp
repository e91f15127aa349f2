// PPD access: titles and pop-up menus from the PPD, choice lists with their conflict marks, defaults,
// and the mapping between a control's value and a PPD choice.
#include "binding/PDECommon.h"

#include "base/Localize.h"
#include "base/Status.h"
#include "ui/Button.h"
#include "ui/Label.h"
#include "ui/PopUpButton.h"
#include "ui/TabView.h"

#include <array>
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

constexpr const char* kModelCode = "zq4410";
constexpr std::array<const char*, 4> kTabLabelKeys = {"Image", "Text", "Graphics", "Simulation"};

struct PPDEncoding {
    const char* name;
    cf::NSStringEncoding appKit;
    cf::StringEncoding coreFoundation;
};

constexpr std::array<PPDEncoding, 5> kPPDEncodings = {{
    {"ISOLatin1", cf::NSISOLatin1StringEncoding, cf::kCFStringEncodingISOLatin1},
    {"WindowsANSI", cf::NSWindowsCP1252StringEncoding, cf::kCFStringEncodingWindowsLatin1},
    {"JIS83-RKSJ", cf::NSShiftJISStringEncoding, cf::kCFStringEncodingShiftJIS},
    {"UTF-8", cf::NSUTF8StringEncoding, cf::kCFStringEncodingUTF8},
    {"UTF8", cf::NSUTF8StringEncoding, cf::kCFStringEncodingUTF8},
}};

const PPDEncoding* findPPDEncoding(const ppd_file_t* ppd)
{
    if (!ppd || !ppd->lang_encoding) return nullptr;
    for (const auto& encoding : kPPDEncodings)
        if (std::strcmp(ppd->lang_encoding, encoding.name) == 0) return &encoding;
    return nullptr;
}

// libcups NUL-terminates its fixed fields; the bound keeps a damaged record from being overrun.
template <size_t N>
std::string_view field(const char (&text)[N])
{
    return std::string_view(text, strnlen(text, N));
}

// A text that does not decode becomes "", so that entry i and item i still correspond.
std::string decodeOrEmpty(std::string_view bytes, cf::StringEncoding encoding)
{
    auto text = cf::String::createWithBytes(bytes, encoding);
    return text ? text->utf8() : std::string();
}

// libcups converts every text to UTF-8 when it opens a PPD and then names "UTF-8" in lang_encoding;
// only a file without a LanguageEncoding line leaves the field null, its texts being UTF-8 all the same.
cf::StringEncoding textEncoding(const ppd_file_t* ppd, cf::StringEncoding declared)
{
    if (ppd && !ppd->lang_encoding) return cf::kCFStringEncodingUTF8;
    return declared;
}

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
        for (const auto& [constrained, choice] : {std::pair{constraint.option1, constraint.choice1},
                                                  std::pair{constraint.option2, constraint.choice2}}) {
            if (std::strcmp(constrained, option.keyword) != 0) continue;
            if (choice[0] == '\0') return std::nullopt;
            named.insert(lowered(choice));
        }
    }
    return named;
}

std::string_view keyOf(const PDEControlRecord* record)
{
    return record && record->ppdKey ? std::string_view(record->ppdKey) : std::string_view();
}

ui::PopUpButton* popUpOf(const PDEControlRecord* record)
{
    if (!record || record->type != kControlPopUp) return nullptr;
    return dynamic_cast<ui::PopUpButton*>(record->control);
}

bool isCheckBox(const PDEControlRecord* record) { return record && record->type == kControlCheckBox; }

// The choice list position of the check box's "True" or "False" entry, -1 when there is none.
int32_t checkBoxPosition(const PDEControlRecord* record)
{
    bool on = PDECommon::commonGetControlValueWithSInt32(record) != 0;
    return PDECommon::commonFindPPDKeyPairsMatch(record->choices, keyOf(record), on ? "True" : "False");
}

} // namespace

cf::NSStringEncoding PDECommon::commonGetEncodingFromPPD(const ppd_file_t* ppd)
{
    const PPDEncoding* encoding = findPPDEncoding(ppd);
    return encoding ? encoding->appKit : cf::NSMacOSRomanStringEncoding;
}

cf::StringEncoding PDECommon::commonGetCFStringEncodingFromPPD(const ppd_file_t* ppd)
{
    const PPDEncoding* encoding = findPPDEncoding(ppd);
    return encoding ? encoding->coreFoundation : cf::kCFStringEncodingMacRoman;
}

void PDECommon::commonSetControlTitleFromLocalizeString(const PDEControlRecord* record)
{
    if (!record || !record->titleKey || !record->control) return;
    auto text = localizedString(record->titleKey);
    if (!text) return;

    switch (record->type) {
    case kControlLabel:
        if (auto* label = dynamic_cast<ui::Label*>(record->control)) label->setStringValue(*text);
        break;
    case kControlCheckBox:
    case kControlButton:
        if (auto* button = dynamic_cast<ui::Button*>(record->control)) button->setTitle(*text);
        break;
    case kControlTabView:
        if (auto* tabs = dynamic_cast<ui::TabView*>(record->control)) {
            for (size_t i = 0; i < kTabLabelKeys.size(); ++i) {
                if (auto label = localizedString(kTabLabelKeys[i])) tabs->setLabelAtIndex(static_cast<int>(i), *label);
            }
        }
        break;
    default:
        break;
    }
}

void PDECommon::commonReBuildMenuFromPPD(ppd_file_t* ppd, const PDEControlRecord* record)
{
    auto* popUp = popUpOf(record);
    if (!popUp || !ppd || !hasKeyword(*record)) return;
    ppd_option_t* option = ppdFindOption(ppd, record->ppdKey);
    if (!option || !popUp->hasMenu()) return;

    const cf::StringEncoding encoding =
        textEncoding(ppd, cf::encodingFromNSStringEncoding(commonGetEncodingFromPPD(ppd)));
    popUp->removeAllItems();
    for (int i = 0; i < option->num_choices; ++i) {
        const ppd_choice_t& choice = option->choices[i];
        popUp->addItemWithTitle(decodeOrEmpty(field(choice.text), encoding));
        // Keywords are ASCII; one that is not gets no represented object rather than a wrong one.
        if (auto keyword = cf::String::createWithBytes(field(choice.choice), cf::kCFStringEncodingASCII))
            popUp->setRepresentedObjectAtIndex(popUp->numberOfItems() - 1, keyword->utf8());
    }
}

void PDECommon::commonBuildPDEItem(const PDEControlRecord* table, ppd_file_t* ppd)
{
    for (const PDEControlRecord* record = table; record && record->control; ++record) {
        commonSetControlTitleFromLocalizeString(record);
        if (record->type == kControlPopUp) commonReBuildMenuFromPPD(ppd, record);
    }
}

int32_t PDECommon::commonGetPPDArrayForUIOption(ppd_file_t* ppd, const char* key, ChoiceList** array)
{
    if (!array) return paramErr;
    if (!ppd || !key || !ppdFindOption(ppd, key)) return kPMPPDOptionNotFound;

    *array = new (std::nothrow) ChoiceList();
    if (!*array) return kPMArrayCreateFailed;
    int16_t count = 0;
    int32_t status = commonGetUIListFromPPD(ppd, key, array, &count);
    if (status != noErr) {
        // A partial list would shift positions between the list and the pop-up: keep none.
        delete *array;
        *array = nullptr;
        return status;
    }
    return noErr;
}

int32_t PDECommon::commonGetUIListFromPPD(ppd_file_t* ppd, const char* key, ChoiceList** array, int16_t* count)
{
    if (!array || !*array || !ppd || !key) return noErr;
    ppd_option_t* option = ppdFindOption(ppd, key);
    if (!option || option->num_choices <= 0) return noErr;

    const cf::StringEncoding encoding = textEncoding(ppd, commonGetCFStringEncodingFromPPD(ppd));
    const std::string optionKeyword = decodeOrEmpty(field(option->keyword), encoding);
    const std::string defaultChoice = decodeOrEmpty(field(option->defchoice), encoding);
    try {
        const auto candidates = constrainedChoices(ppd, *option);
        (*array)->reserve((*array)->size() + static_cast<size_t>(option->num_choices));
        for (int i = 0; i < option->num_choices; ++i) {
            const ppd_choice_t& choice = option->choices[i];
            const bool needsTrial = !candidates || candidates->count(lowered(field(choice.choice))) != 0 ||
                                    choice.marked;
            bool conflicted = needsTrial && commonIsPPDChoiceConflicted(ppd, option->keyword, choice.choice);
            (*array)->push_back(ChoiceEntry{optionKeyword, defaultChoice, decodeOrEmpty(field(choice.choice), encoding),
                                            decodeOrEmpty(field(choice.text), encoding),
                                            conflicted ? kConflictTrue : kConflictFalse});
            if (count && *count < std::numeric_limits<int16_t>::max()) ++*count;
        }
    } catch (const std::bad_alloc&) {
        return memFullErr;
    }
    return noErr;
}

bool PDECommon::commonIsPPDChoiceConflicted(ppd_file_t* ppd, const char* option, const char* choice)
{
    if (!ppd || !option || !choice) return false;
    ppd_option_t* found = ppdFindOption(ppd, option);
    if (!found) return false;
    if (ppdIsMarked(ppd, option, choice)) return found->conflicted != 0;

    // The choice pointer stays valid while marks change, but keep the keyword, not the pointer.
    const ppd_choice_t* previous = ppdFindMarkedChoice(ppd, option);
    const std::string previousKeyword = previous ? std::string(field(previous->choice)) : std::string();

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

int32_t PDECommon::commonFindPPDKeyPairsMatch(const ChoiceList* list, std::string_view option, std::string_view choice)
{
    if (!list) return -1;
    for (size_t i = 0; i < list->size(); ++i) {
        const ChoiceEntry& entry = (*list)[i];
        if (entry.option == option && entry.keyword == choice) return static_cast<int32_t>(i);
    }
    return -1;
}

int32_t PDECommon::commonGetTicketValueWithSInt32(const PDEControlRecord* record, std::string_view option,
                                                  const cf::Ref& storedChoice)
{
    if (!record) return 0;
    auto stored = cf::as<cf::String>(storedChoice);
    if (record->type == kControlPopUp) {
        if (!stored) return -1;
        return commonFindPPDKeyPairsMatch(record->choices, option, stored->utf8());
    }
    if (record->type == kControlCheckBox) {
        if (!stored) return 0;
        const std::string& text = stored->utf8();
        return text == "True" || text == "TRUE" || text == "true" ? 1 : 0;
    }
    return 0;
}

int32_t PDECommon::commonGetDefualtValueFromPPDWithSInt32(const PDEControlRecord* record)
{
    if (!record || !record->choices || record->choices->empty()) return 0;
    auto defaultChoice = cf::String::create(record->choices->front().defaultChoice);
    return commonGetTicketValueWithSInt32(record, keyOf(record), defaultChoice);
}

int32_t PDECommon::commonGetControlValueFromPPDWithSInt32(const PDEControlRecord* record)
{
    if (!record) return 0;
    if (record->type == kControlPopUp) return commonGetControlValueWithSInt32(record);
    if (isCheckBox(record)) return checkBoxPosition(record);
    return 0;
}

cf::StringRef PDECommon::commonGetControlValueFromPPDWithNSString(const PDEControlRecord* record)
{
    if (auto* popUp = popUpOf(record)) {
        auto title = popUp->titleOfSelectedItem();
        return title ? cf::String::create(*title) : nullptr;
    }
    if (isCheckBox(record)) {
        int32_t position = checkBoxPosition(record);
        if (position < 0) return nullptr;
        return cf::String::create((*record->choices)[static_cast<size_t>(position)].text);
    }
    return nullptr;
}

void PDECommon::commonDefaultFromPPDInfo(const PDEControlRecord* table)
{
    for (const PDEControlRecord* record = table; record && record->control; ++record) {
        if (hasKeyword(*record)) commonSetControlValueWithSInt32(record, commonGetDefualtValueFromPPDWithSInt32(record));
    }
}

const char* PDECommon::commonGetPPDProductName(const void*)
{
    return kModelCode;
}

} // namespace tlco
