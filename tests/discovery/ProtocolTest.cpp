// SPDX-License-Identifier: Apache-2.0
// Connection detection from device URIs, the address the walk is sent to, and the file-name rule
// of the merge.
#include "binding/PDECommon.h"
#include "discovery/PrinterAddress.h"
#include "discovery/SpoolRestructure.h"

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>

namespace {

using tlco::PDECommon;

int16_t protocolOf(const std::string& uri)
{
    return PDECommon::commoniGetProtocolByUrl(cf::String::create(uri));
}

TEST(DiscoveryProtocolTest, PrefixAtTheStartDecides)
{
    const struct {
        const char* uri;
        int16_t expected;
    } cases[] = {
        {"mdns://Printer._pdl-datastream._tcp.local", 1},
        {"dnssd://Printer._ipp._tcp.local/?uuid=1", 1},
        {"lpd://192.0.2.10/queue", 0},
        {"lpd://", 0},
        {"pap://Zone/Printer/LaserWriter", 2},
        {"usb://TESSALUMA/zq4410?serial=1", 3},
        {"ipp://192.0.2.10/ipp/print", -1},
        {"socket://192.0.2.10:9100", -1},
        {"http://192.0.2.10/", -1},
        {"", -1},
        {"LPD://192.0.2.10/queue", -1},
        {"Usb://TESSALUMA/zq4410", -1},
        {"ipp://host/lpd://queue", -1},
        {" lpd://192.0.2.10/queue", -1},
        {"lpd:/192.0.2.10/queue", -1},
    };
    for (const auto& c : cases) EXPECT_EQ(c.expected, protocolOf(c.uri)) << c.uri;
    EXPECT_EQ(-1, PDECommon::commoniGetProtocolByUrl(nullptr));
}

TEST(DiscoveryProtocolTest, SessionWithoutPrinterOrURIIsUnknown)
{
    EXPECT_EQ(-1, PDECommon::commoniGetProtocol(nullptr));
    pm::Session noPrinter;
    EXPECT_EQ(-1, PDECommon::commoniGetProtocol(&noPrinter));
    pm::Session noURI(std::make_shared<pm::Printer>("q", std::nullopt));
    EXPECT_EQ(-1, PDECommon::commoniGetProtocol(&noURI));
    pm::Session lpd(std::make_shared<pm::Printer>("q", "lpd://192.0.2.10/queue"));
    EXPECT_EQ(0, PDECommon::commoniGetProtocol(&lpd));
    pm::Session usb(std::make_shared<pm::Printer>("q", "usb://TESSALUMA/zq4410"));
    EXPECT_EQ(3, PDECommon::commoniGetProtocol(&usb));
}

std::optional<std::string> addressOf(const std::string& uri)
{
    auto url = cf::URL::create(uri);
    if (!url) return std::nullopt;
    return tlco::resolvePrinterAddress(*url, protocolOf(uri));
}

TEST(DiscoveryProtocolTest, LpdAddressIsTheHostWithoutPort)
{
    EXPECT_EQ("192.0.2.10", addressOf("lpd://192.0.2.10:515/queue"));
    EXPECT_EQ("192.0.2.10", addressOf("lpd://192.0.2.10/queue"));
    EXPECT_EQ("printer.example", addressOf("lpd://printer.example/queue"));
    EXPECT_EQ("printer.example", addressOf("lpd://user@printer.example:515/queue"));
    EXPECT_EQ(std::nullopt, addressOf("lpd:///queue")) << "no host";
    EXPECT_EQ(std::nullopt, addressOf("lpd://:515/queue")) << "a port without a host";
    EXPECT_EQ(std::string(254, 'h'), addressOf("lpd://" + std::string(254, 'h') + "/queue"));
    EXPECT_EQ(std::nullopt, addressOf("lpd://" + std::string(255, 'h') + "/queue")) << "does not fit 255 bytes";
    EXPECT_EQ(std::nullopt, addressOf("ipp://192.0.2.10/ipp/print"));
    EXPECT_EQ(std::nullopt, addressOf("usb://TESSALUMA/zq4410"));
    EXPECT_EQ(std::nullopt, addressOf("socket://192.0.2.10:9100"));
}

TEST(DiscoveryProtocolTest, LpdHostsAreNamesOrAddressesAndIPv6GoesOverUdp6)
{
    const struct {
        const char* uri;
        const char* peer; // null: no walk
    } cases[] = {
        {"lpd://[2001:db8::1]/queue", "udp6:[2001:db8::1]"},
        {"lpd://[2001:db8::1]:515/queue", "udp6:[2001:db8::1]"},
        {"lpd://[::1]/queue", "udp6:[::1]"},
        {"lpd://[::ffff:192.0.2.10]/queue", "udp6:[::ffff:192.0.2.10]"},
        {"lpd://[2001:db8::zz]/queue", nullptr},
        {"lpd://[2001:db8::1/queue", nullptr},
        {"lpd://-Lf/q", nullptr},
        {"lpd://-d/q", nullptr},
        {"lpd://.hidden/q", nullptr},
        {"lpd://host%20name/q", nullptr},
        {"lpd://udp:host/q", nullptr},
        {"lpd://print_er-1.example/q", "print_er-1.example"},
    };
    for (const auto& c : cases) {
        auto peer = addressOf(c.uri);
        if (c.peer)
            EXPECT_EQ(std::optional<std::string>(c.peer), peer) << c.uri;
        else
            EXPECT_EQ(std::nullopt, peer) << c.uri;
    }
}

TEST(DiscoveryProtocolTest, BonjourHostNameSplitsAroundTheServiceType)
{
    const struct {
        const char* host;
        const char* name; // null: no service
        const char* type;
        const char* domain;
    } cases[] = {
        {"Printer._pdl-datastream._tcp.local", "Printer", "_pdl-datastream._tcp", "local"},
        {"Office%20Printer._ipp._tcp.local", "Office Printer", "_ipp._tcp", "local"},
        {"zq4410%20%28Floor%202%29._printer._tcp.local", "zq4410 (Floor 2)", "_printer._tcp", "local"},
        {"Floor.2.Printer._pdl-datastream._tcp.local", "Floor.2.Printer", "_pdl-datastream._tcp", "local"},
        {"v1.5%20Printer._ipp._udp.example.com", "v1.5 Printer", "_ipp._udp", "example.com"},
        {"Printer._ipp._tcp.local.extra", "Printer", "_ipp._tcp", "local.extra"},
        {"Printer%2Ewith%2Edots._ipp._tcp.local", "Printer.with.dots", "_ipp._tcp", "local"},
        {"_ipp._tcp.local", nullptr, nullptr, nullptr},
        {"._ipp._tcp.local", nullptr, nullptr, nullptr},
        {"Printer._ipp._tcp", nullptr, nullptr, nullptr},
        {"Printer._ipp._tcp.", nullptr, nullptr, nullptr},
        {"Printer.local", nullptr, nullptr, nullptr},
        {"Printer._ipp._sctp.local", nullptr, nullptr, nullptr},
        {"Printer._ipp._TCP.local", nullptr, nullptr, nullptr},
        {"Bad%2Escape%G1._ipp._tcp.local", nullptr, nullptr, nullptr},
        {"", nullptr, nullptr, nullptr},
    };
    for (const auto& c : cases) {
        auto service = tlco::splitBonjourHostName(c.host);
        if (!c.name) {
            EXPECT_EQ(std::nullopt, service.has_value() ? std::optional<std::string>(service->name) : std::nullopt)
                << c.host;
            continue;
        }
        ASSERT_TRUE(service.has_value()) << c.host;
        EXPECT_EQ(c.name, service->name) << c.host;
        EXPECT_EQ(c.type, service->type) << c.host;
        EXPECT_EQ(c.domain, service->domain) << c.host;
    }
}

TEST(DiscoveryProtocolTest, BonjourWithoutAnAnswerGivesNoAddressWithinTheBound)
{
    // No service of this name answers here (and without an Avahi daemon nothing does).
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(std::nullopt, addressOf("dnssd://No%20Such%20Printer%2043a1._pdl-datastream._tcp.local/"));
    EXPECT_EQ(std::nullopt, addressOf("mdns://Printer.local/")) << "no service type";
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1800));
}

TEST(DiscoveryProtocolTest, EightDotThreeNames)
{
    const struct {
        const char* name;
        bool expected;
    } cases[] = {
        {"PROFILE1.ICC", true},
        {"A.B", true},
        {"NAME", true},
        {"NAME.", true},
        {"AB.C.D", true},
        {"12345678", true},
        {"!#$%&'()", true},
        {"-^_`{}~.a1", true},
        {"", false},
        {".ICC", false},
        {"NINECHARS.ICC", false},
        {"NINECHARS", false},
        {"NAME.ICCX", false},
        {"AB.C.DE", false},
        {"MY PROF.ICC", false},
        {"PROF\xE9.ICC", false},
        {"PRO|F.ICC", false},
        {"PRO\"F.ICC", false},
        {"PRO*.ICC", false},
        {"PRO/F.ICC", false},
        {"PRO\\F.ICC", false},
        {"PRO@F.ICC", false},
        {"PRO[F].ICC", false},
        {"PRO+F.ICC", false},
    };
    for (const auto& c : cases) EXPECT_EQ(c.expected, tlco::bJudgement8point3Format(c.name)) << '"' << c.name << '"';
    EXPECT_FALSE(tlco::bJudgement8point3Format(nullptr));
}

} // namespace
