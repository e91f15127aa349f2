// SPDX-License-Identifier: Apache-2.0
// Protocol codes from device URIs: a fixed table of scheme prefixes.
#include "base/PrinterProtocol.h"

namespace tlco {
namespace {

struct SchemePrefix {
    std::string_view prefix;
    int16_t protocol;
};

constexpr SchemePrefix kSchemePrefixes[] = {
    {"mdns://", kProtocolBonjour},
    {"dnssd://", kProtocolBonjour},
    {"lpd://", kProtocolLPD},
    {"pap://", kProtocolAppleTalk},
    {"usb://", kProtocolUSB},
};

} // namespace

cf::URLRef currentDeviceURI(PMPrintSession session)
{
    if (!session) return nullptr;
    PMPrinter printer = nullptr;
    if (PMSessionGetCurrentPrinter(session, &printer) != kPMNoError || !printer) return nullptr;
    cf::URLRef deviceURI;
    if (PMPrinterCopyDeviceURI(printer, &deviceURI) != kPMNoError) return nullptr;
    return deviceURI;
}

int16_t protocolOfURIText(std::string_view uri)
{
    for (const SchemePrefix& scheme : kSchemePrefixes)
        if (uri.starts_with(scheme.prefix)) return scheme.protocol;
    return kProtocolOther;
}

int16_t protocolOfDeviceURI(const cf::StringRef& deviceURI)
{
    if (!deviceURI) return kProtocolOther;
    return protocolOfURIText(deviceURI->utf8());
}

int16_t protocolOfSession(PMPrintSession session)
{
    cf::URLRef deviceURI = currentDeviceURI(session);
    if (!deviceURI) return kProtocolOther;
    return protocolOfURIText(deviceURI->string());
}

} // namespace tlco
