// SPDX-License-Identifier: Apache-2.0
// Dictionary entries with keys of any type.
#include "cf/Dictionary.h"

namespace cf {

void Dictionary::setWithKey(const Ref& key, Ref value)
{
    if (auto text = as<String>(key)) {
        set(text->utf8(), std::move(value));
        return;
    }
    for (auto& entry : others_) {
        if (entry.first == key) {
            entry.second = std::move(value);
            return;
        }
    }
    others_.emplace_back(key, std::move(value));
}

} // namespace cf
