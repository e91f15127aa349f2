// SPDX-License-Identifier: Apache-2.0
// Diagnostic logging.
#include "base/PDELog.h"
#include "binding/ControlTable.h"
#include "services/SystemLog.h"
#include "ui/View.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// A class whose description carries printf directives.
class Oddly : public ui::Object {
public:
    const ui::ClassInfo& classInfo() const override
    {
        static const ui::ClassInfo info = ui::ClassBuilder<Oddly>("Odd%s%n%dName", nullptr).build();
        return info;
    }
};

struct LogCapture {
    LogCapture()
    {
        svc::SystemLog::setSink([this](std::string_view line) { lines.emplace_back(line); });
    }
    ~LogCapture() { svc::SystemLog::setSink({}); }
    std::vector<std::string> lines;
};

TEST(PDELog, DescriptionIsLiteralAndOnlyTheCallersFormatExpands)
{
    LogCapture capture;
    Oddly odd;
    tlco::_PDELog(&odd, "value %d and %s", 42, "text");
    tlco::_PDEProlog(&odd, "enter %d", 1);
    tlco::_PDEEpilog(nullptr, "leave");
    ASSERT_EQ(capture.lines.size(), 3u);
    EXPECT_EQ(capture.lines[0].rfind("LOG self(<Odd%s%n%dName: 0x", 0), 0u) << capture.lines[0];
    EXPECT_NE(capture.lines[0].find(">): value 42 and text"), std::string::npos) << capture.lines[0];
    EXPECT_EQ(capture.lines[1].rfind("BEGIN self(<Odd%s%n%dName", 0), 0u);
    EXPECT_NE(capture.lines[1].find(">) enter 1"), std::string::npos);
    EXPECT_EQ(capture.lines[2], "END self((null)) leave");
}

std::string myLogToString(const char* locale, const char* text)
{
    std::string saved = std::setlocale(LC_ALL, nullptr);
    std::setlocale(LC_ALL, locale);
    std::FILE* file = std::tmpfile();
    tlco::MyLog(file, "%s|%d", text, 7);
    std::rewind(file);
    char buffer[256] = {};
    size_t n = std::fread(buffer, 1, sizeof buffer - 1, file);
    std::fclose(file);
    std::setlocale(LC_ALL, saved.c_str());
    return std::string(buffer, n);
}

TEST(MyLog, ReplacesWhatTheSystemEncodingCannotHold)
{
    EXPECT_EQ(myLogToString("C", "caf\xC3\xA9 \xE6\x97\xA5"), "caf? ?|7");
    EXPECT_EQ(myLogToString("C.UTF-8", "caf\xC3\xA9"), "caf\xC3\xA9|7");
}

// A malformed byte is one unrepresentable character; the text after it stays.
TEST(MyLog, KeepsTheTextAfterAMalformedByte)
{
    const struct {
        const char* text;
        const char* logged;
    } cases[] = {
        {"\xC3"
         "a",
            "?a|7"},
        {"\xF0"
         "abc",
            "?abc|7"},
        {"x\xE6\x97", "x??|7"},
        {"\x80\x80"
         "b",
            "??b|7"},
    };
    for (const auto& c : cases) EXPECT_EQ(myLogToString("C", c.text), c.logged) << c.text;
}

TEST(MyLog, WritesNothingForAnEmptyMessage)
{
    std::FILE* file = std::tmpfile();
    tlco::MyLog(file, "%s", "");
    EXPECT_EQ(std::ftell(file), 0);
    std::fclose(file);
}

TEST(DebugHooks, AcceptAnything)
{
    tlco::MyDebugMessage(nullptr, 0);
    tlco::MyDebugMessage("[UTIL-MIB] SNMP Open Err\n", -1);
    tlco::_DEBUGControlTable(nullptr);
    tlco::PDEControlRecord table[] = {tlco::kEndRecord};
    tlco::_DEBUGControlTable(table);
}

} // namespace
