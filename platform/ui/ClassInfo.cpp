// SPDX-License-Identifier: Apache-2.0
// Look-ups along the superclass chain.
#include "ui/ClassInfo.h"

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

} // namespace ui
