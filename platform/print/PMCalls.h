// SPDX-License-Identifier: Apache-2.0
// The printing system's calls as the panel makes them, with their status codes.
#pragma once

#include "Export.h"

#include "cf/Object.h"
#include "cf/String.h"
#include "cf/URL.h"
#include "print/PrintSettings.h"
#include "print/Session.h"

#include <cstdint>
#include <string>

using OSStatus = int32_t;
using PMPrintSettings = pm::PrintSettings*;
using PMPrintSession = pm::Session*;
using PMPrinter = pm::Printer*;

inline constexpr OSStatus kPMNoError = 0;
inline constexpr OSStatus kPMInvalidParameter = -50;
inline constexpr OSStatus kPMInvalidPrinter = -30882; // no current printer
inline constexpr OSStatus kPMKeyNotFound = -30895;    // no such key, or no device URI
inline constexpr OSStatus kPMKeyNotUnique = -30896;   // key locked
inline constexpr OSStatus kPMKeyOrValueNotFound = -30897;

// The value stored under key; kPMKeyNotFound and a null value when there is none.
OSStatus PMPrintSettingsGetValue(PMPrintSettings settings, const std::string& key, cf::Ref* value);
// Stores value under key (a null value removes the key); a locked key is refused.
OSStatus PMPrintSettingsSetValue(PMPrintSettings settings, const std::string& key, cf::Ref value, bool locked);
// The session's current printer; kPMInvalidPrinter when it has none.
OSStatus PMSessionGetCurrentPrinter(PMPrintSession session, PMPrinter* current);
// The queue identifier; null for a null printer.
cf::StringRef PMPrinterGetID(PMPrinter printer);
// The device URI, which the caller owns; kPMKeyNotFound when the printer has none.
OSStatus PMPrinterCopyDeviceURI(PMPrinter printer, cf::URLRef* deviceURI);
