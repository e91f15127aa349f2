// SPDX-License-Identifier: Apache-2.0
// The registry, seeded with the toolkit's classes.
#include "ui/ClassRegistry.h"

#include "ui/Box.h"
#include "ui/Button.h"
#include "ui/Label.h"
#include "ui/PopUpButton.h"
#include "ui/TabView.h"
#include "ui/TableView.h"
#include "ui/TextField.h"
#include "ui/Window.h"

#include <map>
#include <string>

namespace ui {
namespace {

std::map<std::string, const ClassInfo*, std::less<>>& table()
{
    static std::map<std::string, const ClassInfo*, std::less<>> classes = [] {
        std::map<std::string, const ClassInfo*, std::less<>> seed;
        for (const ClassInfo* info : {&View::staticClassInfo(), &Control::staticClassInfo(),
                 &PopUpButton::staticClassInfo(), &Button::staticClassInfo(), &CheckBox::staticClassInfo(),
                 &Label::staticClassInfo(), &Box::staticClassInfo(), &TabView::staticClassInfo(),
                 &TextField::staticClassInfo(), &TableView::staticClassInfo(), &Window::staticClassInfo()})
            seed.emplace(info->name, info);
        return seed;
    }();
    return classes;
}

} // namespace

bool ClassRegistry::registerClass(const ClassInfo& info)
{
    auto [it, added] = table().emplace(info.name, &info);
    return added || it->second == &info;
}

const ClassInfo* ClassRegistry::find(std::string_view name)
{
    auto it = table().find(name);
    return it == table().end() ? nullptr : it->second;
}

} // namespace ui
