// SPDX-License-Identifier: Apache-2.0
// Pages of views, one shown at a time, each with a labelled tab.
#pragma once

#include "Export.h"

#include "ui/View.h"

#include <string>
#include <vector>

namespace ui {

struct TL_EXPORT TabViewItem {
    std::string label;
    View* view = nullptr;
};

class TL_EXPORT TabView : public View {
    UI_DECLARE_CLASS()

public:
    int numberOfTabViewItems() const { return static_cast<int>(items_.size()); }
    const std::vector<TabViewItem>& items() const { return items_; }
    void addTabViewItem(TabViewItem item);
    void setLabelAtIndex(int index, std::string label);
    // -1 when there are no pages.
    int indexOfSelectedTabViewItem() const { return selected_; }
    // Shows the page at index; an index that names no page changes nothing.
    void selectTabViewItemAtIndex(int index);

    // A person clicks the tab of page index.
    bool userSelectTab(int index);

private:
    std::vector<TabViewItem> items_;
    int selected_ = -1;
};

} // namespace ui
