// SPDX-License-Identifier: Apache-2.0
// Tab pages: only the shown page's view is in the hierarchy, as with the toolkit's tab views.
#include "ui/TabView.h"

#include <nlohmann/json.hpp>

namespace ui {

const ClassInfo& TabView::staticClassInfo()
{
    static const ClassInfo info =
        ClassBuilder<TabView>("TabView", &View::staticClassInfo())
            .linkProperty("tabs",
                [](TabView& tabs, const nlohmann::json& value, const ClassInfo::Resolver& resolve) {
                    if (!value.is_array()) return false;
                    for (const auto& page : value) {
                        if (!page.is_object() || !page.contains("label") || !page["label"].is_string()) return false;
                        View* view = nullptr;
                        if (page.contains("view")) {
                            if (!page["view"].is_string()) return false;
                            view = dynamic_cast<View*>(resolve(page["view"].get<std::string>()));
                            if (!view) return false;
                        }
                        tabs.addTabViewItem(TabViewItem{page["label"].get<std::string>(), view});
                    }
                    return true;
                })
            .build();
    return info;
}

void TabView::addTabViewItem(TabViewItem item)
{
    if (item.view) item.view->removeFromSuperview();
    items_.push_back(item);
    notifyChange(*this, Change::Items);
    if (selected_ < 0) selectTabViewItemAtIndex(0);
}

void TabView::setLabelAtIndex(int index, std::string label)
{
    if (index < 0 || index >= numberOfTabViewItems()) return;
    items_[static_cast<size_t>(index)].label = std::move(label);
    notifyChange(*this, Change::Items);
}

void TabView::selectTabViewItemAtIndex(int index)
{
    if (index < 0 || index >= numberOfTabViewItems()) return;
    if (selected_ >= 0 && selected_ != index) {
        if (View* old = items_[static_cast<size_t>(selected_)].view) old->removeFromSuperview();
    }
    set(selected_, index, Change::Selection);
    if (View* page = items_[static_cast<size_t>(index)].view) {
        if (page->superview() != this) {
            page->setFrame(makeRect(0, 0, frame().size.width, frame().size.height));
            addSubview(page);
        }
    }
}

bool TabView::userSelectTab(int index)
{
    if (!isEnabled() || index < 0 || index >= numberOfTabViewItems()) return false;
    selectTabViewItemAtIndex(index);
    return true;
}

} // namespace ui
