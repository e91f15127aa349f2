// SPDX-License-Identifier: Apache-2.0
// Pop-up items and selection.
#include "ui/PopUpButton.h"

#include <nlohmann/json.hpp>

namespace ui {

const ClassInfo& PopUpButton::staticClassInfo()
{
    static const ClassInfo info = ClassBuilder<PopUpButton>("PopUpButton", &Control::staticClassInfo())
                                      .property("items",
                                          [](PopUpButton& popUp, const nlohmann::json& value) {
                                              if (!value.is_array()) return false;
                                              popUp.removeAllItems();
                                              for (const auto& item : value) {
                                                  if (!item.is_string()) return false;
                                                  popUp.addItemWithTitle(item.get<std::string>());
                                              }
                                              popUp.selectItemAtIndex(popUp.numberOfItems() > 0 ? 0 : -1);
                                              return true;
                                          })
                                      .property("selected", &PopUpButton::selectItemAtIndex)
                                      .build();
    return info;
}

void PopUpButton::selectItemAtIndex(int index)
{
    if (index < 0) {
        set(selected_, -1, Change::Selection);
        return;
    }
    if (index < numberOfItems()) set(selected_, index, Change::Selection);
}

std::string PopUpButton::itemTitleAtIndex(int index) const
{
    if (index < 0 || index >= numberOfItems()) return {};
    return items_[static_cast<size_t>(index)].title;
}

std::optional<std::string> PopUpButton::titleOfSelectedItem() const
{
    if (selected_ < 0) return std::nullopt;
    return items_[static_cast<size_t>(selected_)].title;
}

void PopUpButton::removeAllItems()
{
    items_.clear();
    selected_ = -1;
    notifyChange(*this, Change::Items);
}

void PopUpButton::addItemWithTitle(std::string title)
{
    items_.push_back(MenuItem{std::move(title), std::nullopt});
    // A pop-up with items always shows one: the first item added becomes selected.
    if (selected_ < 0 && items_.size() == 1) selected_ = 0;
    notifyChange(*this, Change::Items);
}

void PopUpButton::setRepresentedObjectAtIndex(int index, std::string object)
{
    if (index < 0 || index >= numberOfItems()) return;
    items_[static_cast<size_t>(index)].representedObject = std::move(object);
}

bool PopUpButton::userSelectItem(int index)
{
    if (!isEnabled() || index < 0 || index >= numberOfItems()) return false;
    set(selected_, index, Change::Selection);
    sendAction();
    return true;
}

} // namespace ui
