// SPDX-License-Identifier: Apache-2.0
// The job's print settings (the ticket): a keyed store of strings, numbers and dictionaries.
#pragma once

#include "Export.h"

#include "cf/Dictionary.h"

#include <set>
#include <string>

namespace pm {

class TL_EXPORT PrintSettings {
public:
    PrintSettings() : values_(cf::Dictionary::create()) { }
    explicit PrintSettings(cf::DictionaryRef values)
        : values_(values ? std::move(values) : cf::Dictionary::create()) { }

    // The live store: a dictionary fetched from it is the one stored, so changing it changes the ticket.
    const cf::DictionaryRef& values() const { return values_; }
    bool isLocked(const std::string& key) const { return locked_.count(key) != 0; }
    void lock(const std::string& key) { locked_.insert(key); }

private:
    cf::DictionaryRef values_;
    std::set<std::string, std::less<>> locked_;
};

} // namespace pm
