// SPDX-License-Identifier: Apache-2.0
// Dictionaries and arrays are copied, so that a change inside them (the panel writes into the
// dictionary of its printer) is undone too; strings, numbers and data are never changed in place.
#include "host/TicketSnapshot.h"

#include "cf/Array.h"

#include <vector>

namespace host {
namespace {

cf::Ref deepCopy(const cf::Ref& value)
{
    if (auto dictionary = cf::as<cf::Dictionary>(value)) {
        auto copy = cf::Dictionary::create();
        for (const auto& [key, item] : dictionary->stringEntries()) copy->setOrdered(key, deepCopy(item));
        for (const auto& [key, item] : dictionary->otherEntries()) copy->setWithKey(key, deepCopy(item));
        return copy;
    }
    if (auto array = cf::as<cf::Array>(value)) {
        auto copy = cf::Array::create();
        for (const cf::Ref& item : array->items()) copy->append(deepCopy(item));
        return copy;
    }
    return value;
}

} // namespace

TicketSnapshot::TicketSnapshot(cf::DictionaryRef ticket) : live_(std::move(ticket)), saved_(cf::Dictionary::create())
{
    for (const auto& [key, item] : live_->stringEntries()) saved_->setOrdered(key, deepCopy(item));
}

TicketSnapshot::~TicketSnapshot()
{
    std::vector<std::string> added;
    for (const auto& [key, item] : live_->stringEntries())
        if (!saved_->contains(key)) added.push_back(key);
    for (const std::string& key : added) live_->remove(key);
    for (const auto& [key, item] : saved_->stringEntries()) live_->set(key, item);
}

} // namespace host
