// SPDX-License-Identifier: Apache-2.0
// Titles, pop-up menus and default choices of the controls, from the PPD and the bundle's texts.
#include "binding/PpdControls.h"

#include "base/Localize.h"
#include "binding/ControlValues.h"
#include "binding/PpdChoices.h"
#include "binding/PpdEncoding.h"
#include "ui/Button.h"
#include "ui/Label.h"
#include "ui/PopUpButton.h"
#include "ui/TabView.h"

#include <array>
#include <string>

// libcups marks its whole PPD API deprecated; that API is this panel's named dependency.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace tlco {
namespace {

constexpr const char* kModelCode = "zq4410";
constexpr std::array<const char*, 4> kTabLabelKeys = {"Image", "Text", "Graphics", "Simulation"};

std::string_view keyOf(const PDEControlRecord* record)
{
    return record && record->ppdKey ? std::string_view(record->ppdKey) : std::string_view();
}

ui::PopUpButton* popUpOf(const PDEControlRecord* record)
{
    if (!record || record->type != kControlPopUp) return nullptr;
    return dynamic_cast<ui::PopUpButton*>(record->control);
}

bool isCheckBox(const PDEControlRecord* record)
{
    return record && record->type == kControlCheckBox;
}

// The choice list position of the check box's "True" or "False" entry, -1 when there is none.
int32_t checkBoxPosition(const PDEControlRecord* record)
{
    bool on = controlValue(record) != 0;
    return findChoice(record->choices, keyOf(record), on ? "True" : "False");
}

void setTabLabels(ui::TabView& tabs)
{
    for (size_t i = 0; i < kTabLabelKeys.size(); ++i) {
        if (auto label = localizedString(kTabLabelKeys[i])) tabs.setLabelAtIndex(static_cast<int>(i), *label);
    }
}

} // namespace

const char* ppdProductName()
{
    return kModelCode;
}

void setControlTitle(const PDEControlRecord* record)
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
        if (auto* tabs = dynamic_cast<ui::TabView*>(record->control)) setTabLabels(*tabs);
        break;
    default:
        break;
    }
}

void rebuildMenuFromPPD(ppd_file_t* ppd, const PDEControlRecord* record)
{
    auto* popUp = popUpOf(record);
    if (!popUp || !ppd || !hasKeyword(*record)) return;
    ppd_option_t* option = ppdFindOption(ppd, record->ppdKey);
    if (!option || !popUp->hasMenu()) return;

    const cf::StringEncoding encoding =
        ppdTextEncoding(ppd, cf::encodingFromNSStringEncoding(ppdNSStringEncoding(ppd)));
    popUp->removeAllItems();
    for (int i = 0; i < option->num_choices; ++i) {
        const ppd_choice_t& choice = option->choices[i];
        popUp->addItemWithTitle(decodePPDText(ppdField(choice.text), encoding));
        // Keywords are ASCII; one that is not gets no represented object rather than a wrong one.
        if (auto keyword = cf::String::createWithBytes(ppdField(choice.choice), cf::kCFStringEncodingASCII))
            popUp->setRepresentedObjectAtIndex(popUp->numberOfItems() - 1, keyword->utf8());
    }
}

void buildControlsFromPPD(const PDEControlRecord* table, ppd_file_t* ppd)
{
    for (const PDEControlRecord* record = table; record && record->control; ++record) {
        setControlTitle(record);
        if (record->type == kControlPopUp) rebuildMenuFromPPD(ppd, record);
    }
}

int32_t storedChoiceValue(const PDEControlRecord* record, std::string_view option, const cf::Ref& storedChoice)
{
    if (!record) return 0;
    auto stored = cf::as<cf::String>(storedChoice);
    if (record->type == kControlPopUp) {
        if (!stored) return -1;
        return findChoice(record->choices, option, stored->utf8());
    }
    if (record->type == kControlCheckBox) {
        if (!stored) return 0;
        const std::string& text = stored->utf8();
        return text == "True" || text == "TRUE" || text == "true" ? 1 : 0;
    }
    return 0;
}

int32_t defaultChoiceValue(const PDEControlRecord* record)
{
    if (!record || !record->choices || record->choices->empty()) return 0;
    auto defaultChoice = cf::String::create(record->choices->front().defaultChoice);
    return storedChoiceValue(record, keyOf(record), defaultChoice);
}

int32_t controlChoicePosition(const PDEControlRecord* record)
{
    if (!record) return 0;
    if (record->type == kControlPopUp) return controlValue(record);
    if (isCheckBox(record)) return checkBoxPosition(record);
    return 0;
}

cf::StringRef controlChoiceText(const PDEControlRecord* record)
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

void setControlsToDefaults(const PDEControlRecord* table)
{
    for (const PDEControlRecord* record = table; record && record->control; ++record) {
        if (hasKeyword(*record)) setControlValue(record, defaultChoiceValue(record));
    }
}

} // namespace tlco
