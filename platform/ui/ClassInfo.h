// SPDX-License-Identifier: Apache-2.0
// What the interface description may do with a class: create it, set its outlets and properties,
// send it actions. Each class registers its table beside its own code.
#pragma once

#include "Export.h"

#include "ui/Geometry.h"

#include <nlohmann/json_fwd.hpp>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>

namespace ui {

class Object;

struct TL_EXPORT ClassInfo {
    using Factory = std::function<std::unique_ptr<Object>()>;
    // False when the value is of the wrong class for the outlet.
    using OutletSetter = std::function<bool(Object& self, Object* value)>;
    using Action = std::function<void(Object& self, Object* sender)>;
    // Finds another object of the same description by id (the owner too); null when there is none.
    using Resolver = std::function<Object*(std::string_view id)>;
    // False when the value does not fit the property.
    using PropertySetter = std::function<bool(Object& self, const nlohmann::json& value, const Resolver& resolve)>;

    std::string name;
    const ClassInfo* superclass = nullptr;
    Factory factory;
    std::map<std::string, OutletSetter, std::less<>> outlets;
    std::map<std::string, Action, std::less<>> actions;
    std::map<std::string, PropertySetter, std::less<>> properties;
    // Read-only state an inspector (the host's dump, a GUI) may show.
    using Getter = std::function<nlohmann::json(const Object& self)>;
    std::map<std::string, Getter, std::less<>> getters;

    const OutletSetter* findOutlet(std::string_view outlet) const;
    const Action* findAction(std::string_view action) const;
    const PropertySetter* findProperty(std::string_view property) const;
    const Getter* findGetter(std::string_view getter) const;
    bool isKindOf(const ClassInfo& other) const;
};

// A property's value as its setter takes it: a string, a boolean, an integer, or a frame given as
// [x, y, width, height]. False, and out untouched, for a value of another kind.
TL_EXPORT bool readPropertyValue(const nlohmann::json& value, std::string& out);
TL_EXPORT bool readPropertyValue(const nlohmann::json& value, bool& out);
TL_EXPORT bool readPropertyValue(const nlohmann::json& value, int& out);
TL_EXPORT bool readPropertyValue(const nlohmann::json& value, Rect& out);
// The object a link property names; null when the value is no id or names no object.
TL_EXPORT Object* resolveLink(const nlohmann::json& value, const ClassInfo::Resolver& resolve);

// Builds a class's table: ClassBuilder<T>("Name", &Base::staticClassInfo()).outlet(...).action(...).
template <class T>
class TL_EXPORT ClassBuilder {
public:
    ClassBuilder(std::string name, const ClassInfo* superclass)
    {
        info_.name = std::move(name);
        info_.superclass = superclass;
        if constexpr (std::is_default_constructible_v<T> && !std::is_abstract_v<T>)
            info_.factory = [] { return std::unique_ptr<Object>(new T()); };
    }

    template <class F>
    ClassBuilder& outlet(const char* name, F* T::*member)
    {
        info_.outlets[name] = [member](Object& self, Object* value) {
            F* typed = nullptr;
            if (value) {
                typed = dynamic_cast<F*>(value);
                if (!typed) return false;
            }
            static_cast<T&>(self).*member = typed;
            return true;
        };
        return *this;
    }

    ClassBuilder& action(const char* name, void (T::*method)(Object* sender))
    {
        info_.actions[name] = [method](Object& self, Object* sender) { (static_cast<T&>(self).*method)(sender); };
        return *this;
    }

    ClassBuilder& property(const char* name, std::function<bool(T&, const nlohmann::json&)> setter)
    {
        info_.properties[name] = [setter = std::move(setter)](Object& self, const nlohmann::json& value,
                                     const ClassInfo::Resolver&) { return setter(static_cast<T&>(self), value); };
        return *this;
    }

    // A property handed to one setter of the class, refused when the value is not of the setter's kind.
    template <class C, class V>
    ClassBuilder& property(const char* name, void (C::*setter)(V))
    {
        static_assert(std::is_base_of_v<C, T>);
        return property(name, [setter](T& self, const nlohmann::json& value) {
            std::decay_t<V> typed{};
            if (!readPropertyValue(value, typed)) return false;
            (self.*setter)(std::move(typed));
            return true;
        });
    }

    // A property naming one other object of the description, handed to setter; an object of
    // another kind is refused.
    template <class C, class F>
    ClassBuilder& linkProperty(const char* name, void (C::*setter)(F*))
    {
        static_assert(std::is_base_of_v<C, T>);
        return linkProperty(name, [setter](T& self, const nlohmann::json& value, const ClassInfo::Resolver& resolve) {
            auto* typed = dynamic_cast<F*>(resolveLink(value, resolve));
            if (!typed) return false;
            (self.*setter)(typed);
            return true;
        });
    }

    // A property whose value names other objects of the description.
    ClassBuilder& linkProperty(
        const char* name, std::function<bool(T&, const nlohmann::json&, const ClassInfo::Resolver&)> setter)
    {
        info_.properties[name] = [setter = std::move(setter)](
                                     Object& self, const nlohmann::json& value, const ClassInfo::Resolver& resolve) {
            return setter(static_cast<T&>(self), value, resolve);
        };
        return *this;
    }

    ClassBuilder& getter(const char* name, std::function<nlohmann::json(const T&)> get)
    {
        info_.getters[name] = [get = std::move(get)](const Object& self) { return get(static_cast<const T&>(self)); };
        return *this;
    }

    ClassInfo build() { return std::move(info_); }

private:
    ClassInfo info_;
};

} // namespace ui

// Declares the class-table accessors of a ui::Object subclass.
#define UI_DECLARE_CLASS()                                                                                             \
public:                                                                                                                \
    static const ::ui::ClassInfo& staticClassInfo();                                                                   \
    const ::ui::ClassInfo& classInfo() const override                                                                  \
    {                                                                                                                  \
        return staticClassInfo();                                                                                      \
    }
