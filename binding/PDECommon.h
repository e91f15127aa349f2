// The panel's shared operations, as class methods of a class without state. Each takes the table,
// record, PPD, ticket or session it works on. The bodies live with their subsystems: control table,
// PPD, ticket and summary operations in binding/, profile menu and ticket operations in profiles/,
// connection detection and the profile fetch in discovery/ (forwarded from plugin/, the one folder
// above discovery).
#pragma once

#include "binding/ControlRecord.h"
#include "binding/ControlTable.h"
#include "cf/Array.h"
#include "cf/Dictionary.h"
#include "cf/String.h"
#include "cf/StringEncoding.h"
#include "print/PMCalls.h"

#include <cups/ppd.h>

#include <cstdint>
#include <string_view>

namespace tlco {

class PDECommon {
public:
    PDECommon() = delete;

    // Control table.
    static CompoundTable commonControlTableCompound(PDEControlRecord* const* tables, int32_t count);
    static int32_t commonAddPPDArray(cf::Array* array, const PDEControlRecord* table);
    static int32_t commonGetControlValueWithSInt32(const PDEControlRecord* record);
    static void commonSetControlValueWithSInt32(const PDEControlRecord* record, int32_t value);
    static int32_t commonConvertToCSTValue(const PDEControlRecord* record, int32_t value);
    static int32_t commonConvertFromCSTValue(const PDEControlRecord* record, int32_t value);

    // PPD access.
    static cf::NSStringEncoding commonGetEncodingFromPPD(const ppd_file_t* ppd);
    static cf::StringEncoding commonGetCFStringEncodingFromPPD(const ppd_file_t* ppd);
    static void commonSetControlTitleFromLocalizeString(const PDEControlRecord* record);
    static void commonReBuildMenuFromPPD(ppd_file_t* ppd, const PDEControlRecord* record);
    static void commonBuildPDEItem(const PDEControlRecord* table, ppd_file_t* ppd);
    static int32_t commonGetPPDArrayForUIOption(ppd_file_t* ppd, const char* key, ChoiceList** array);
    static int32_t commonGetUIListFromPPD(ppd_file_t* ppd, const char* key, ChoiceList** array, int16_t* count);
    static bool commonIsPPDChoiceConflicted(ppd_file_t* ppd, const char* option, const char* choice);
    static int32_t commonFindPPDKeyPairsMatch(const ChoiceList* list, std::string_view option, std::string_view choice);
    static int32_t commonGetTicketValueWithSInt32(const PDEControlRecord* record, std::string_view option,
                                                  const cf::Ref& storedChoice);
    static int32_t commonGetDefualtValueFromPPDWithSInt32(const PDEControlRecord* record);
    static int32_t commonGetControlValueFromPPDWithSInt32(const PDEControlRecord* record);
    static cf::StringRef commonGetControlValueFromPPDWithNSString(const PDEControlRecord* record);
    static void commonDefaultFromPPDInfo(const PDEControlRecord* table);
    static const char* commonGetPPDProductName(const void* ignored);

    // Print-settings synchronisation.
    static int32_t commonSyncTicketFromPane(PMPrintSettings ticket, PMPrintSession session, const PDEControlRecord* table);
    static int32_t commonSyncPaneFromTicket(PMPrintSettings ticket, PMPrintSession session, const PDEControlRecord* table);
    static cf::DictionaryRef commonGetModelDictionary(PMPrintSettings ticket, PMPrintSession session);
    static cf::StringRef commonGetPrintQueueName(PMPrintSession session);
    static cf::DictionaryRef commonCFDictionaryGetValueWithType(const cf::Ref& dictionary, const cf::StringRef& key);
    static bool commonCFTypeIsValid(const cf::Ref& object, cf::TypeID type);
    static int32_t commonCFDictionaryMapToTicket(PMPrintSettings ticket, const cf::DictionaryRef& dictionary);

    // Summary.
    static int32_t commonGetSummaryText(const PDEControlRecord* table, cf::Dictionary* dictionary, cf::Array* order);
    static int32_t commonGetSummaryTextQuickColor(const char* titleKey, const cf::StringRef& value,
                                                  cf::Dictionary* dictionary, cf::Array* order);

    // Profile menus and the per-job profile selection.
    static int32_t commonAddMenuFromProfilePlist(const PDEControlRecord* table);
    static int32_t commonSetTicketAddedProfileFlag(const PDEControlRecord* record, cf::Dictionary* dictionary,
                                                   const char* flag);
    static cf::Ref commonGetTicketAddedProfileFlag(const PDEControlRecord* record, const cf::Dictionary* dictionary);
    static int32_t commonSetTicketAddedProfile(const PDEControlRecord* record, cf::Dictionary* dictionary, int16_t select);
    static int32_t commonGetTicketAddedProfile(const PDEControlRecord* record, const cf::Dictionary* dictionary);

    // Printer connection and the fetch of the printer's profiles.
    static int16_t commoniGetProtocolByUrl(const cf::StringRef& deviceURI);
    static int16_t commoniGetProtocol(PMPrintSession session);
    static int32_t commonGetProfilesFromMIB(PMPrintSession session);
};

} // namespace tlco
