// SPDX-License-Identifier: Apache-2.0
// The panel's shared operations under the names the rest of the dialog knows them by: a class of
// static members without state, each forwarding to the function of its subsystem, whose header holds
// the contract. Forwards to binding/ and base/ are inline below; each other member is defined in the
// lowest folder that sees its subsystem: profiles/PDECommonProfiles.cpp (the profile menus and
// entries, and the ticket synchronisation, which reaches the entries), plugin/PDECommonDiscovery.cpp
// (the fetch). So a caller depends only on folders its own may include.
#pragma once

#include "base/PrinterProtocol.h"
#include "base/Status.h"
#include "binding/CompoundTable.h"
#include "binding/ControlRecord.h"
#include "binding/ControlTable.h"
#include "binding/ControlValues.h"
#include "binding/PpdChoices.h"
#include "binding/PpdControls.h"
#include "binding/PpdEncoding.h"
#include "binding/ProfileChoiceKeys.h"
#include "binding/Summary.h"
#include "binding/TicketSync.h"
#include "cf/Array.h"
#include "cf/Dictionary.h"
#include "cf/String.h"
#include "cf/StringEncoding.h"
#include "print/PMCalls.h"

#include <cups/ppd.h>

#include <cstdint>
#include <memory>
#include <string_view>

namespace tlco {

class PDECommon {
public:
    PDECommon() = delete;

    // Control table: binding/CompoundTable.h, binding/ControlValues.h.
    static CompoundTable commonControlTableCompound(PDEControlRecord* const* tables, int32_t count)
    {
        return compoundControlTable(tables, count);
    }
    static int32_t commonAddPPDArray(cf::Array* array, const PDEControlRecord* table)
    {
        return appendKeywords(array, table);
    }
    static int32_t commonGetControlValueWithSInt32(const PDEControlRecord* record) { return controlValue(record); }
    static void commonSetControlValueWithSInt32(const PDEControlRecord* record, int32_t value)
    {
        setControlValue(record, value);
    }
    static int32_t commonConvertToCSTValue(const PDEControlRecord* record, int32_t value)
    {
        return toConstraintValue(record, value);
    }
    static int32_t commonConvertFromCSTValue(const PDEControlRecord* record, int32_t value)
    {
        return fromConstraintValue(record, value);
    }

    // PPD access: binding/PpdEncoding.h, binding/PpdChoices.h, binding/PpdControls.h.
    static cf::NSStringEncoding commonGetEncodingFromPPD(const ppd_file_t* ppd) { return ppdNSStringEncoding(ppd); }
    static cf::StringEncoding commonGetCFStringEncodingFromPPD(const ppd_file_t* ppd)
    {
        return ppdCFStringEncoding(ppd);
    }
    static void commonSetControlTitleFromLocalizeString(const PDEControlRecord* record) { setControlTitle(record); }
    static void commonReBuildMenuFromPPD(ppd_file_t* ppd, const PDEControlRecord* record)
    {
        rebuildMenuFromPPD(ppd, record);
    }
    static void commonBuildPDEItem(const PDEControlRecord* table, ppd_file_t* ppd) { buildControlsFromPPD(table, ppd); }
    // *array receives a list the caller owns (delete), or null, on every status but paramErr (null
    // array) and kPMPPDOptionNotFound, which leave it alone.
    static int32_t commonGetPPDArrayForUIOption(ppd_file_t* ppd, const char* key, ChoiceList** array)
    {
        if (!array) return paramErr;
        std::unique_ptr<ChoiceList> list;
        const int32_t status = readChoiceList(ppd, key, list);
        if (status != kPMPPDOptionNotFound) *array = list.release();
        return status;
    }
    static int32_t commonGetUIListFromPPD(ppd_file_t* ppd, const char* key, ChoiceList** array, int16_t* count)
    {
        return appendChoices(ppd, key, array ? *array : nullptr, count);
    }
    static bool commonIsPPDChoiceConflicted(ppd_file_t* ppd, const char* option, const char* choice)
    {
        return isChoiceConflicted(ppd, option, choice);
    }
    static int32_t commonFindPPDKeyPairsMatch(const ChoiceList* list, std::string_view option, std::string_view choice)
    {
        return findChoice(list, option, choice);
    }
    static int32_t commonGetTicketValueWithSInt32(
        const PDEControlRecord* record, std::string_view option, const cf::Ref& storedChoice)
    {
        return storedChoiceValue(record, option, storedChoice);
    }
    static int32_t commonGetDefualtValueFromPPDWithSInt32(const PDEControlRecord* record)
    {
        return defaultChoiceValue(record);
    }
    static int32_t commonGetControlValueFromPPDWithSInt32(const PDEControlRecord* record)
    {
        return controlChoicePosition(record);
    }
    static cf::StringRef commonGetControlValueFromPPDWithNSString(const PDEControlRecord* record)
    {
        return controlChoiceText(record);
    }
    static void commonDefaultFromPPDInfo(const PDEControlRecord* table) { setControlsToDefaults(table); }
    static const char* commonGetPPDProductName(const void*) { return ppdProductName(); }

    // Print-settings synchronisation: binding/TicketSync.h.
    static int32_t commonSyncTicketFromPane(
        PMPrintSettings ticket, PMPrintSession session, const PDEControlRecord* table);
    static int32_t commonSyncPaneFromTicket(
        PMPrintSettings ticket, PMPrintSession session, const PDEControlRecord* table);
    static cf::DictionaryRef commonGetModelDictionary(PMPrintSettings ticket, PMPrintSession session)
    {
        return modelDictionary(ticket, session);
    }
    static cf::StringRef commonGetPrintQueueName(PMPrintSession session) { return printQueueName(session); }
    static cf::DictionaryRef commonCFDictionaryGetValueWithType(const cf::Ref& dictionary, const cf::StringRef& key)
    {
        return nestedDictionary(dictionary, key);
    }
    static bool commonCFTypeIsValid(const cf::Ref& object, cf::TypeID type) { return cf::isType(object, type); }
    static int32_t commonCFDictionaryMapToTicket(PMPrintSettings ticket, const cf::DictionaryRef& dictionary)
    {
        return mapModelToTicket(ticket, dictionary);
    }

    // Summary: binding/Summary.h.
    static int32_t commonGetSummaryText(const PDEControlRecord* table, cf::Dictionary* dictionary, cf::Array* order)
    {
        return addSummaryLines(table, dictionary, order);
    }
    static int32_t commonGetSummaryTextQuickColor(
        const char* titleKey, const cf::StringRef& value, cf::Dictionary* dictionary, cf::Array* order)
    {
        return addQuickColorSummaryLine(titleKey, value, dictionary, order);
    }

    // Profile menus and the per-job profile selection: profiles/ProfileMenus.h,
    // profiles/ProfileTicketEntries.h (the flag: binding/ProfileChoiceKeys.h).
    static int32_t commonAddMenuFromProfilePlist(const PDEControlRecord* table);
    static int32_t commonSetTicketAddedProfileFlag(
        const PDEControlRecord* record, cf::Dictionary* dictionary, const char* flag)
    {
        return setProfileChosenFlag(record, dictionary, flag);
    }
    static cf::Ref commonGetTicketAddedProfileFlag(const PDEControlRecord* record, const cf::Dictionary* dictionary)
    {
        return profileChosenFlag(record, dictionary);
    }
    static int32_t commonSetTicketAddedProfile(
        const PDEControlRecord* record, cf::Dictionary* dictionary, int16_t select);
    static int32_t commonGetTicketAddedProfile(const PDEControlRecord* record, const cf::Dictionary* dictionary);

    // Printer connection: base/PrinterProtocol.h; the fetch of the printer's profiles:
    // discovery/PrinterConnection.h.
    static int16_t commoniGetProtocolByUrl(const cf::StringRef& deviceURI) { return protocolOfDeviceURI(deviceURI); }
    static int16_t commoniGetProtocol(PMPrintSession session) { return protocolOfSession(session); }
    static int32_t commonGetProfilesFromMIB(PMPrintSession session);
};

} // namespace tlco
