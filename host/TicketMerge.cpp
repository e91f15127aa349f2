// SPDX-License-Identifier: Apache-2.0
// Three-way merge of print settings, entry by entry.
#include "host/TicketMerge.h"

#include "cf/PropertyList.h"

#include <set>
#include <string>

namespace host {

bool sameValue(const cf::Ref& a, const cf::Ref& b)
{
    if (!a || !b) return !a && !b;
    if (a == b) return true;
    return cf::PropertyList::createXMLData(a) == cf::PropertyList::createXMLData(b);
}

void mergeTicketChanges(const cf::Dictionary& base, const cf::Dictionary& mine, cf::Dictionary& current)
{
    std::set<std::string> keys;
    for (const auto& [key, value] : base.stringEntries()) keys.insert(key);
    for (const auto& [key, value] : mine.stringEntries()) keys.insert(key);
    for (const std::string& key : keys) {
        const cf::Ref before = base.get(key);
        const cf::Ref after = mine.get(key);
        if (sameValue(before, after)) continue;
        auto afterDictionary = cf::as<cf::Dictionary>(after);
        auto nowDictionary = current.getDictionary(key);
        // A dictionary that both dialogs made afresh is merged as well, as if it had been empty.
        auto beforeDictionary = before ? cf::as<cf::Dictionary>(before) : cf::Dictionary::create();
        if (beforeDictionary && afterDictionary && nowDictionary)
            mergeTicketChanges(*beforeDictionary, *afterDictionary, *nowDictionary);
        else if (after)
            current.set(key, after);
        else
            current.remove(key);
    }
}

} // namespace host
