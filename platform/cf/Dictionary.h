// SPDX-License-Identifier: Apache-2.0
// Mutable dictionary. Keys are usually strings; other keys are kept apart, in insertion order.
#pragma once

#include "Export.h"

#include "cf/Object.h"
#include "cf/String.h"

#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace cf {

class TL_EXPORT Dictionary final : public Object {
public:
    static constexpr TypeID kTypeID = TypeID::Dictionary;

    static std::shared_ptr<Dictionary> create() { return std::make_shared<Dictionary>(); }

    TypeID typeID() const override { return kTypeID; }

    // The value under a string key, or null.
    Ref get(std::string_view key) const
    {
        auto it = strings_.find(key);
        return it == strings_.end() ? nullptr : it->second;
    }
    bool contains(std::string_view key) const { return strings_.find(key) != strings_.end(); }
    void set(std::string_view key, Ref value) { strings_[std::string(key)] = std::move(value); }
    // The same, taking the key's text; keys set in byte order (as files hold them) cost a constant
    // time each.
    void setOrdered(std::string key, Ref value)
    {
        strings_.insert_or_assign(strings_.end(), std::move(key), std::move(value));
    }
    void remove(std::string_view key)
    {
        auto it = strings_.find(key);
        if (it != strings_.end()) strings_.erase(it);
    }
    // Any key: a string key joins the string entries, another key the others.
    void setWithKey(const Ref& key, Ref value);

    size_t count() const { return strings_.size() + others_.size(); }
    const std::map<std::string, Ref, std::less<>>& stringEntries() const { return strings_; }
    const std::vector<std::pair<Ref, Ref>>& otherEntries() const { return others_; }

    // Typed look-ups: the value when present and of that type, else null.
    std::shared_ptr<String> getString(std::string_view key) const { return as<String>(get(key)); }
    std::shared_ptr<Dictionary> getDictionary(std::string_view key) const { return as<Dictionary>(get(key)); }

private:
    std::map<std::string, Ref, std::less<>> strings_;
    std::vector<std::pair<Ref, Ref>> others_;
};

using DictionaryRef = std::shared_ptr<Dictionary>;

} // namespace cf
