// SPDX-License-Identifier: Apache-2.0
// A list of CUPS options (name and value), owned and freed as libcups asks.
#pragma once

#include <cups/cups.h>

#include <string>

namespace host {

class CupsOptions {
public:
    CupsOptions() = default;
    CupsOptions(const CupsOptions&) = delete;
    CupsOptions& operator=(const CupsOptions&) = delete;
    ~CupsOptions() { cupsFreeOptions(count_, list_); }

    // Sets name to value, replacing an option of that name.
    void add(const std::string& name, const std::string& value)
    {
        count_ = cupsAddOption(name.c_str(), value.c_str(), count_, &list_);
    }
    // Adds the options of text as lp's -o reads it ("a=1 b=2", "c"); the count afterwards.
    int parse(const std::string& text)
    {
        count_ = cupsParseOptions(text.c_str(), count_, &list_);
        return count_;
    }

    // Where the libcups calls that make or change a list in place (cupsGetConflicts,
    // cupsResolveConflicts) put its count and its options; the list owns what they leave there.
    int* countAddress() { return &count_; }
    cups_option_t** listAddress() { return &list_; }

    int count() const { return count_; }
    // Borrowed: valid until the next add or parse, and while this list lives.
    cups_option_t* list() const { return list_; }
    const cups_option_t* begin() const { return list_; }
    const cups_option_t* end() const { return list_ + count_; }

private:
    int count_ = 0;
    cups_option_t* list_ = nullptr;
};

} // namespace host
