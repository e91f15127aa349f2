// SPDX-License-Identifier: Apache-2.0
// Three-way merge of print settings, entry by entry.
#include "host/TicketMerge.h"

#include "cf/Array.h"
#include "cf/Boolean.h"
#include "cf/Data.h"
#include "cf/Number.h"
#include "cf/String.h"

#include <set>
#include <string>

namespace host {
namespace {

bool sameNumber(const cf::Number& a, const cf::Number& b)
{
    return a.isReal() == b.isReal() &&
        (a.isReal() ? a.doubleValue() == b.doubleValue() : a.int64Value() == b.int64Value());
}

bool sameArray(const cf::Array& a, const cf::Array& b)
{
    if (a.count() != b.count()) return false;
    for (size_t i = 0; i < a.count(); ++i)
        if (!sameValue(a.at(i), b.at(i))) return false;
    return true;
}

bool sameDictionary(const cf::Dictionary& a, const cf::Dictionary& b)
{
    if (a.stringEntries().size() != b.stringEntries().size()) return false;
    for (const auto& [key, value] : a.stringEntries())
        if (!sameValue(value, b.get(key))) return false;
    return true;
}

} // namespace

bool sameValue(const cf::Ref& a, const cf::Ref& b)
{
    if (!a || !b) return !a && !b;
    if (a == b) return true;
    if (a->typeID() != b->typeID()) return false;
    switch (a->typeID()) {
    case cf::TypeID::String:
        return cf::as<cf::String>(a)->utf8() == cf::as<cf::String>(b)->utf8();
    case cf::TypeID::Number:
        return sameNumber(*cf::as<cf::Number>(a), *cf::as<cf::Number>(b));
    case cf::TypeID::Boolean:
        return cf::as<cf::Boolean>(a)->value() == cf::as<cf::Boolean>(b)->value();
    case cf::TypeID::Data:
        return cf::as<cf::Data>(a)->bytes() == cf::as<cf::Data>(b)->bytes();
    case cf::TypeID::Array:
        return sameArray(*cf::as<cf::Array>(a), *cf::as<cf::Array>(b));
    case cf::TypeID::Dictionary:
        return sameDictionary(*cf::as<cf::Dictionary>(a), *cf::as<cf::Dictionary>(b));
    }
    return false;
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
