// SPDX-License-Identifier: Apache-2.0
// The controls to and from the model dictionary in the print settings.
#include "binding/TicketSync.h"

#include "base/PDELog.h"
#include "base/Status.h"
#include "binding/ControlValues.h"
#include "binding/PpdControls.h"
#include "binding/ProfileChoiceKeys.h"

#include <limits>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tlco {
namespace {

int32_t choiceCount(const PDEControlRecord& record)
{
    if (!record.choices) return 0;
    return static_cast<int32_t>(record.choices->size());
}

int16_t clampToInt16(int32_t value)
{
    if (value > std::numeric_limits<int16_t>::max()) return std::numeric_limits<int16_t>::max();
    if (value < std::numeric_limits<int16_t>::min()) return std::numeric_limits<int16_t>::min();
    return static_cast<int16_t>(value);
}

void writeRecord(const PDEControlRecord& record, cf::Dictionary& model, const ProfileEntrySource& entries)
{
    const int32_t position = controlChoicePosition(&record);
    const int32_t count = choiceCount(record);
    if (position < 0) return;

    const char* flag = kProfileFlagFalse;
    if (position >= count) {
        entries.storeChosenEntry(&record, &model, clampToInt16(position + 1 - count));
        flag = kProfileFlagTrue;
    } else {
        const ChoiceEntry& entry = (*record.choices)[static_cast<size_t>(position)];
        model.set(entry.option, cf::String::create(entry.keyword));
    }
    setProfileChosenFlag(&record, &model, flag);
}

void readRecord(const PDEControlRecord& record, const cf::Dictionary& model, const ProfileEntrySource& entries)
{
    std::optional<int32_t> value;
    bool profileChosen = false;
    if (isProfilePopUp(&record)) {
        auto flag = cf::as<cf::String>(profileChosenFlag(&record, &model));
        profileChosen = flag && flag->utf8() == kProfileFlagTrue;
    }
    if (profileChosen) {
        const int32_t k = entries.chosenEntry(&record, &model);
        value = k > 0 ? choiceCount(record) + k - 1 : defaultChoiceValue(&record);
    } else {
        const std::string_view keyword = record.ppdKey;
        cf::Ref stored = model.get(keyword);
        if (!stored)
            value = defaultChoiceValue(&record);
        else if (cf::isType(stored, cf::TypeID::String))
            value = storedChoiceValue(&record, keyword, stored);
    }
    if (value && *value != -1) setControlValue(&record, *value);
}

// A value of another type where the dictionaries of the model or of the printer belong would stop
// every save; a save replaces it, and says so.
void replaceWrongTypedModelEntries(PMPrintSettings ticket, PMPrintSession session)
{
    if (!ticket) return;
    const std::string modelKey = ppdProductName();
    cf::Ref stored;
    PMPrintSettingsGetValue(ticket, modelKey, &stored);
    if (stored && !cf::isType(stored, cf::TypeID::Dictionary)) {
        PDEWarn("the settings held something other than a dictionary under \"%s\"; it is replaced", modelKey.c_str());
        PMPrintSettingsSetValue(ticket, modelKey, cf::Dictionary::create(), false);
        return;
    }
    auto queues = cf::as<cf::Dictionary>(stored);
    cf::StringRef queue = printQueueName(session);
    if (!queues || !queue) return;
    cf::Ref model = queues->get(queue->utf8());
    if (model && !cf::isType(model, cf::TypeID::Dictionary)) {
        PDEWarn("the settings held something other than a dictionary under \"%s\" / \"%s\"; it is replaced",
            modelKey.c_str(), queue->utf8().c_str());
        queues->set(queue->utf8(), cf::Dictionary::create());
    }
}

} // namespace

int32_t syncTicketFromPane(
    PMPrintSettings ticket, PMPrintSession session, const PDEControlRecord* table, const ProfileEntrySource& entries)
{
    replaceWrongTypedModelEntries(ticket, session);
    cf::DictionaryRef model = modelDictionary(ticket, session);
    if (!model) return noErr;
    for (const PDEControlRecord* record = table; record && record->control; ++record) {
        if (hasKeyword(*record) && record->choices) writeRecord(*record, *model, entries);
    }
    return mapModelToTicket(ticket, model);
}

int32_t syncPaneFromTicket(
    PMPrintSettings ticket, PMPrintSession session, const PDEControlRecord* table, const ProfileEntrySource& entries)
{
    cf::DictionaryRef model = modelDictionary(ticket, session);
    if (!model) return noErr;
    for (const PDEControlRecord* record = table; record && record->control; ++record) {
        if (hasKeyword(*record)) readRecord(*record, *model, entries);
    }
    return mapModelToTicket(ticket, model);
}

cf::DictionaryRef modelDictionary(PMPrintSettings ticket, PMPrintSession session)
{
    if (!ticket) return nullptr;
    const std::string modelKey = ppdProductName();
    cf::StringRef queue = printQueueName(session);

    cf::Ref stored;
    PMPrintSettingsGetValue(ticket, modelKey, &stored);
    if (!stored) {
        PMPrintSettingsSetValue(ticket, modelKey, cf::Dictionary::create(), false);
        PMPrintSettingsGetValue(ticket, modelKey, &stored);
    }
    auto queues = cf::as<cf::Dictionary>(stored);
    if (!queues || !queue) return nullptr;

    if (!queues->contains(queue->utf8())) queues->set(queue->utf8(), cf::Dictionary::create());
    return nestedDictionary(queues, queue);
}

cf::StringRef printQueueName(PMPrintSession session)
{
    PMPrinter printer = nullptr;
    if (PMSessionGetCurrentPrinter(session, &printer) != kPMNoError || !printer) return nullptr;
    return PMPrinterGetID(printer);
}

cf::DictionaryRef nestedDictionary(const cf::Ref& dictionary, const cf::StringRef& key)
{
    auto container = cf::as<cf::Dictionary>(dictionary);
    if (!container || !key || container->count() == 0) return nullptr;
    return container->getDictionary(key->utf8());
}

int32_t mapModelToTicket(PMPrintSettings ticket, const cf::DictionaryRef& dictionary)
{
    if (!ticket || !dictionary) return paramErr;
    try {
        // Copy the entries first: a failure to get the room copies nothing.
        std::vector<std::pair<std::string, cf::Ref>> entries(
            dictionary->stringEntries().begin(), dictionary->stringEntries().end());
        const std::string_view modelKey = ppdProductName();
        for (auto& [key, value] : entries) {
            // The flat copy must never take the place of the dictionaries of every printer (or of
            // any other dictionary the settings hold).
            cf::Ref existing;
            PMPrintSettingsGetValue(ticket, key, &existing);
            if (key == modelKey || cf::isType(existing, cf::TypeID::Dictionary)) continue;
            PMPrintSettingsSetValue(ticket, key, std::move(value), false);
        }
    } catch (const std::bad_alloc&) {
        return memFullErr;
    }
    return noErr;
}

} // namespace tlco
