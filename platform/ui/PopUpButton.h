// SPDX-License-Identifier: Apache-2.0
// A pop-up menu of items, at most one of them selected.
#pragma once

#include "Export.h"

#include "ui/Control.h"

#include <optional>
#include <string>
#include <vector>

namespace ui {

struct TL_EXPORT MenuItem {
    std::string title;
    std::optional<std::string> representedObject;
};

class TL_EXPORT PopUpButton : public Control {
    UI_DECLARE_CLASS()

public:
    int numberOfItems() const { return static_cast<int>(items_.size()); }
    const std::vector<MenuItem>& items() const { return items_; }
    // -1 when no item is selected.
    int indexOfSelectedItem() const { return selected_; }
    // -1 selects none; an index past the items changes nothing.
    void selectItemAtIndex(int index);
    // Empty for an index past the items.
    std::string itemTitleAtIndex(int index) const;
    std::optional<std::string> titleOfSelectedItem() const;
    void removeAllItems();
    void addItemWithTitle(std::string title);
    void setRepresentedObjectAtIndex(int index, std::string object);
    bool hasMenu() const { return true; }

    // A person picks item index: it becomes selected and the action is sent. Nothing on a disabled
    // pop-up or an index that names no item.
    bool userSelectItem(int index);

private:
    std::vector<MenuItem> items_;
    int selected_ = -1;
};

} // namespace ui
