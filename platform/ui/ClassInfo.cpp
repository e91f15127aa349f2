// SPDX-License-Identifier: Apache-2.0
// Look-ups along the superclass chain.
#include "ui/ClassInfo.h"

#include <nlohmann/json.hpp>

namespace ui {
namespace {

template <class Map>
const typename Map::mapped_type* findIn(const ClassInfo* info, Map ClassInfo::*table, std::string_view name)
{
    for (; info; info = info->superclass) {
        auto it = (info->*table).find(name);
        if (it != (info->*table).end()) return &it->second;
    }
    return nullptr;
}

} // namespace

const ClassInfo::OutletSetter* ClassInfo::findOutlet(std::string_view outlet) const
{
    return findIn(this, &ClassInfo::outlets, outlet);
}

const ClassInfo::Action* ClassInfo::findAction(std::string_view action) const
{
    return findIn(this, &ClassInfo::actions, action);
}

const ClassInfo::PropertySetter* ClassInfo::findProperty(std::string_view property) const
{
    return findIn(this, &ClassInfo::properties, property);
}

const ClassInfo::Getter* ClassInfo::findGetter(std::string_view getter) const
{
    return findIn(this, &ClassInfo::getters, getter);
}

bool ClassInfo::isKindOf(const ClassInfo& other) const
{
    for (const ClassInfo* info = this; info; info = info->superclass)
        if (info == &other) return true;
    return false;
}

bool readPropertyValue(const nlohmann::json& value, std::string& out)
{
    if (!value.is_string()) return false;
    out = value.get<std::string>();
    return true;
}

bool readPropertyValue(const nlohmann::json& value, bool& out)
{
    if (!value.is_boolean()) return false;
    out = value.get<bool>();
    return true;
}

bool readPropertyValue(const nlohmann::json& value, int& out)
{
    if (!value.is_number_integer()) return false;
    out = value.get<int>();
    return true;
}

bool readPropertyValue(const nlohmann::json& value, Rect& out)
{
    if (!value.is_array() || value.size() != 4) return false;
    for (const auto& n : value)
        if (!n.is_number()) return false;
    out = makeRect(value[0].get<double>(), value[1].get<double>(), value[2].get<double>(), value[3].get<double>());
    return true;
}

Object* resolveLink(const nlohmann::json& value, const ClassInfo::Resolver& resolve)
{
    return value.is_string() && resolve ? resolve(value.get<std::string>()) : nullptr;
}

} // namespace ui
