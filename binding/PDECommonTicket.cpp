// Print-settings synchronisation: the model dictionary of the current queue inside the ticket, the
// controls written into it and read back from it, and its flat copy at the ticket's top level.
#include "binding/PDECommon.h"

#include "base/PDELog.h"
#include "base/Status.h"

#include <limits>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tlco {
namespace {

constexpr const char* kFlagTrue = "True";
constexpr const char* kFlagFalse = "False";

bool isProfilePopUp(const PDEControlRecord& record)
{
    return record.profileKind >= kProfileKindRGB && record.profileKind <= kProfileKindSimulation;
}

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

void writeRecord(const PDEControlRecord& record, cf::Dictionary& model)
{
    const int32_t position = PDECommon::commonGetControlValueFromPPDWithSInt32(&record);
    const int32_t count = choiceCount(record);
    if (position < 0) return;

    const char* flag = kFlagFalse;
    if (position >= count) {
        PDECommon::commonSetTicketAddedProfile(&record, &model, clampToInt16(position + 1 - count));
        flag = kFlagTrue;
    } else {
        const ChoiceEntry& entry = (*record.choices)[static_cast<size_t>(position)];
        model.set(entry.option, cf::String::create(entry.keyword));
    }
    PDECommon::commonSetTicketAddedProfileFlag(&record, &model, flag);
}

void readRecord(const PDEControlRecord& record, const cf::Dictionary& model)
{
    std::optional<int32_t> value;
    bool profileChosen = false;
    if (isProfilePopUp(record)) {
        auto flag = cf::as<cf::String>(PDECommon::commonGetTicketAddedProfileFlag(&record, &model));
        profileChosen = flag && flag->utf8() == kFlagTrue;
    }
    if (profileChosen) {
        const int32_t k = PDECommon::commonGetTicketAddedProfile(&record, &model);
        value = k > 0 ? choiceCount(record) + k - 1 : PDECommon::commonGetDefualtValueFromPPDWithSInt32(&record);
    } else {
        const std::string_view keyword = record.ppdKey;
        cf::Ref stored = model.get(keyword);
        if (!stored)
            value = PDECommon::commonGetDefualtValueFromPPDWithSInt32(&record);
        else if (cf::isType(stored, cf::TypeID::String))
            value = PDECommon::commonGetTicketValueWithSInt32(&record, keyword, stored);
    }
    if (value && *value != -1) PDECommon::commonSetControlValueWithSInt32(&record, *value);
}

// A value of another type where the dictionaries of the model or of the printer belong would stop
// every save; a save replaces it, and says so.
void replaceWrongTypedModelEntries(PMPrintSettings ticket, PMPrintSession session)
{
    if (!ticket) return;
    const std::string modelKey = PDECommon::commonGetPPDProductName(nullptr);
    cf::Ref stored;
    PMPrintSettingsGetValue(ticket, modelKey, &stored);
    if (stored && !cf::isType(stored, cf::TypeID::Dictionary)) {
        PDEWarn("the settings held something other than a dictionary under \"%s\"; it is replaced", modelKey.c_str());
        PMPrintSettingsSetValue(ticket, modelKey, cf::Dictionary::create(), false);
        return;
    }
    auto queues = cf::as<cf::Dictionary>(stored);
    cf::StringRef queue = PDECommon::commonGetPrintQueueName(session);
    if (!queues || !queue) return;
    cf::Ref model = queues->get(queue->utf8());
    if (model && !cf::isType(model, cf::TypeID::Dictionary)) {
        PDEWarn("the settings held something other than a dictionary under \"%s\" / \"%s\"; it is replaced",
                modelKey.c_str(), queue->utf8().c_str());
        queues->set(queue->utf8(), cf::Dictionary::create());
    }
}

} // namespace

int32_t PDECommon::commonSyncTicketFromPane(PMPrintSettings ticket, PMPrintSession session, const PDEControlRecord* table)
{
    replaceWrongTypedModelEntries(ticket, session);
    cf::DictionaryRef model = commonGetModelDictionary(ticket, session);
    if (!model) return noErr;
    for (const PDEControlRecord* record = table; record && record->control; ++record) {
        if (hasKeyword(*record) && record->choices) writeRecord(*record, *model);
    }
    return commonCFDictionaryMapToTicket(ticket, model);
}

int32_t PDECommon::commonSyncPaneFromTicket(PMPrintSettings ticket, PMPrintSession session, const PDEControlRecord* table)
{
    cf::DictionaryRef model = commonGetModelDictionary(ticket, session);
    if (!model) return noErr;
    for (const PDEControlRecord* record = table; record && record->control; ++record) {
        if (hasKeyword(*record)) readRecord(*record, *model);
    }
    return commonCFDictionaryMapToTicket(ticket, model);
}

cf::DictionaryRef PDECommon::commonGetModelDictionary(PMPrintSettings ticket, PMPrintSession session)
{
    if (!ticket) return nullptr;
    const std::string modelKey = commonGetPPDProductName(nullptr);
    cf::StringRef queue = commonGetPrintQueueName(session);

    cf::Ref stored;
    PMPrintSettingsGetValue(ticket, modelKey, &stored);
    if (!stored) {
        PMPrintSettingsSetValue(ticket, modelKey, cf::Dictionary::create(), false);
        PMPrintSettingsGetValue(ticket, modelKey, &stored);
    }
    auto queues = cf::as<cf::Dictionary>(stored);
    if (!queues || !queue) return nullptr;

    if (!queues->contains(queue->utf8())) queues->set(queue->utf8(), cf::Dictionary::create());
    return commonCFDictionaryGetValueWithType(queues, queue);
}

cf::StringRef PDECommon::commonGetPrintQueueName(PMPrintSession session)
{
    PMPrinter printer = nullptr;
    if (PMSessionGetCurrentPrinter(session, &printer) != kPMNoError || !printer) return nullptr;
    return PMPrinterGetID(printer);
}

cf::DictionaryRef PDECommon::commonCFDictionaryGetValueWithType(const cf::Ref& dictionary, const cf::StringRef& key)
{
    auto container = cf::as<cf::Dictionary>(dictionary);
    if (!container || !key || container->count() == 0) return nullptr;
    return container->getDictionary(key->utf8());
}

bool PDECommon::commonCFTypeIsValid(const cf::Ref& object, cf::TypeID type)
{
    return cf::isType(object, type);
}

int32_t PDECommon::commonCFDictionaryMapToTicket(PMPrintSettings ticket, const cf::DictionaryRef& dictionary)
{
    if (!ticket || !dictionary) return paramErr;
    try {
        // Copy the entries first: a failure to get the room copies nothing.
        std::vector<std::pair<std::string, cf::Ref>> entries(dictionary->stringEntries().begin(),
                                                             dictionary->stringEntries().end());
        const std::string_view modelKey = commonGetPPDProductName(nullptr);
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
