// SPDX-License-Identifier: Apache-2.0
// Printing-system calls over the platform's ticket, session and printer.
#include "print/PMCalls.h"

OSStatus PMPrintSettingsGetValue(PMPrintSettings settings, const std::string& key, cf::Ref* value)
{
    if (!settings || !value) return kPMInvalidParameter;
    *value = settings->values()->get(key);
    return *value ? kPMNoError : kPMKeyNotFound;
}

OSStatus PMPrintSettingsSetValue(PMPrintSettings settings, const std::string& key, cf::Ref value, bool locked)
{
    if (!settings || key.empty()) return kPMInvalidParameter;
    if (settings->isLocked(key)) return kPMKeyNotUnique;
    if (value)
        settings->values()->set(key, std::move(value));
    else
        settings->values()->remove(key);
    if (locked) settings->lock(key);
    return kPMNoError;
}

OSStatus PMSessionGetCurrentPrinter(PMPrintSession session, PMPrinter* current)
{
    if (!session || !current) return kPMInvalidParameter;
    *current = session->currentPrinter().get();
    return *current ? kPMNoError : kPMInvalidPrinter;
}

cf::StringRef PMPrinterGetID(PMPrinter printer)
{
    if (!printer) return nullptr;
    return cf::String::create(printer->id());
}

OSStatus PMPrinterCopyDeviceURI(PMPrinter printer, cf::URLRef* deviceURI)
{
    if (!printer || !deviceURI) return kPMInvalidParameter;
    *deviceURI = nullptr;
    if (!printer->deviceURI()) return kPMKeyNotFound;
    *deviceURI = cf::URL::create(*printer->deviceURI());
    return *deviceURI ? kPMNoError : kPMKeyNotFound;
}
