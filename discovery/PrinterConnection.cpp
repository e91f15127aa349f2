// SPDX-License-Identifier: Apache-2.0
// The fetch of the profiles that the current printer stores: back up the lists, find the printer, walk its table.
#include "discovery/PrinterConnection.h"

#include "base/Localize.h"
#include "base/PrinterProtocol.h"
#include "discovery/HostLookup.h"
#include "discovery/MibWalk.h"
#include "discovery/PrinterAddress.h"
#include "discovery/Spool.h"
#include "discovery/SpoolRestructure.h"
#include "profiles/store/TLPList.h"
#include "services/Progress.h"

#include <array>
#include <chrono>
#include <string>
#include <string_view>

namespace tlco {

namespace {

// The walk's argument vector. The parser writes into the strings (it blanks the community), so they
// are copies owned here, followed by the null pointer the parser expects. "--" ends the options, so
// no peer name is ever read as one.
class WalkArguments {
public:
    explicit WalkArguments(const std::string& peer)
        : strings_{"snmpwalk", "-Os", "-c", "orchid", "-v", "1", "--", peer, "1.3.6.1.4.1.51234.1.1.1.1.6.13.1.1"}
    {
        for (size_t i = 0; i < strings_.size(); ++i) vector_[i] = strings_[i].data();
        vector_[strings_.size()] = nullptr;
    }
    WalkArguments(const WalkArguments&) = delete;
    WalkArguments& operator=(const WalkArguments&) = delete;

    int count() const { return static_cast<int>(strings_.size()); }
    char** vector() { return vector_.data(); }

private:
    std::array<std::string, 9> strings_;
    std::array<char*, 10> vector_{};
};

// The announcement of the walk, in the bundle's language; %s is the printer's address.
std::string askingText(const std::string& address)
{
    constexpr const char* kKey = "asking %s for its stored colour profiles\u2026";
    std::string text = localizedString(kKey).value_or(kKey);
    if (size_t at = text.find("%s"); at != std::string::npos) text.replace(at, 2, address);
    return text;
}

} // namespace

int32_t fetchProfilesFromMIB(PMPrintSession session)
{
    TLPListSwapProfile(kSwapBackUp);

    cf::URLRef deviceURI = currentDeviceURI(session);
    if (!deviceURI) return 0;
    const int16_t protocol = protocolOfURIText(deviceURI->string());
    if (!isNetworkProtocol(protocol)) return 0;
    // The name lookup counts inside the walk's deadline: a name server that never answers must not
    // hold the dialog longer than a printer that never answers.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(walkDeadlineSeconds());
    std::optional<std::string> address = resolvePrinterAddress(*deviceURI, protocol);
    if (!address) return 0;
    svc::ProgressScope progress(askingText(*address));
    std::optional<std::string> peer = lookUpPeer(*address, deadline);
    if (!peer) {
        // Merged as a walk that could not reach the printer, as it was before names were looked up here.
        vSpoolPlist(nullptr, 0, nullptr, 1);
        vRestructPlistSpool2Current(kWalkFailed);
        return 0;
    }

    WalkArguments arguments(*peer);
    setNextWalkDeadline(deadline);
    mib_walk(arguments.count(), arguments.vector());
    setNextWalkDeadline(std::nullopt);
    return 0;
}

} // namespace tlco
