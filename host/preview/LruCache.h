// SPDX-License-Identifier: Apache-2.0
// A small cache that forgets the entry used longest ago when it is full.
#pragma once

#include <cstddef>
#include <list>
#include <string>
#include <utility>

namespace host::preview {

template <class Value>
class LruCache {
public:
    explicit LruCache(size_t capacity) : capacity_(capacity) { }

    // The value under key, now the most recent; null when there is none. Valid until the next put.
    const Value* find(const std::string& key)
    {
        for (auto entry = entries_.begin(); entry != entries_.end(); ++entry) {
            if (entry->first != key) continue;
            entries_.splice(entries_.begin(), entries_, entry);
            return &entries_.front().second;
        }
        return nullptr;
    }

    const Value& put(const std::string& key, Value value)
    {
        for (auto entry = entries_.begin(); entry != entries_.end(); ++entry) {
            if (entry->first != key) continue;
            entries_.erase(entry);
            break;
        }
        entries_.emplace_front(key, std::move(value));
        if (entries_.size() > capacity_) entries_.pop_back();
        return entries_.front().second;
    }

private:
    size_t capacity_;
    std::list<std::pair<std::string, Value>> entries_;
};

} // namespace host::preview
