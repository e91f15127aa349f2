// SPDX-License-Identifier: Apache-2.0
// Loads an interface description (JSON) into a graph of objects for an owner. The Nib owns every
// object it created; it is the whole graph or nothing: a missing or malformed description loads
// nothing and leaves the owner's outlets untouched.
#pragma once

#include "Export.h"

#include "ui/Object.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace ui {

class TL_EXPORT Nib {
public:
    // The id that names the owner in a description.
    static constexpr std::string_view kOwnerId = "owner";

    // The text a person reads for a text of the description (as a localized nib would hold it).
    using Localizer = std::function<std::string(const std::string& text)>;

    // With a localizer, every title, text, item, column title and tool tip, tab label and
    // accessibility label goes through it.
    static std::unique_ptr<Nib> load(
        const std::string& path, Object* owner, std::string* error = nullptr, Localizer localize = {});
    ~Nib();
    Nib(const Nib&) = delete;
    Nib& operator=(const Nib&) = delete;

    Object* owner() const { return owner_; }
    Object* object(std::string_view id) const;
    // Every object, in description order.
    const std::vector<std::unique_ptr<Object>>& objects() const { return objects_; }

    // The graphs loaded and not yet destroyed, so that a host can inspect a panel's controls.
    static const std::vector<Nib*>& loaded();
    static Nib* forOwner(const Object* owner);

private:
    class Loader; // the load's phases, in Nib.cpp
    friend class Loader;

    Nib() = default;

    Object* owner_ = nullptr;
    std::vector<std::unique_ptr<Object>> objects_;
    std::map<std::string, Object*, std::less<>> byId_;
};

} // namespace ui
