// SPDX-License-Identifier: Apache-2.0
// The command line's page lists and hold times on any text: a list that is taken is taken again as it
// stands and holds only pages and ranges in ascending order; a hold time that is taken is one CUPS
// knows.
#include "host/JobValues.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void require(bool condition)
{
    if (!condition) std::abort();
}

void checkPageList(const std::string& text)
{
    auto list = host::checkPageList(text, nullptr);
    if (!list) return;
    require(host::checkPageList(*list, nullptr) == list);
    require(list->find_first_not_of("0123456789,-") == std::string::npos);
    require(list->empty() || (list->front() != ',' && list->back() != ','));
}

void checkHoldTime(const std::string& text)
{
    auto when = host::checkHoldTime(text, nullptr);
    if (!when) return;
    require(host::checkHoldTime(*when, nullptr) == when);
    const bool clock = when->size() >= 5 && (*when)[2] == ':';
    require(clock || when->find_first_not_of("abcdefghijklmnopqrstuvwxyz-") == std::string::npos);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    checkPageList(text);
    checkHoldTime(text);
    return 0;
}
