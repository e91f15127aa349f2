// SPDX-License-Identifier: Apache-2.0
// Push buttons and check boxes.
#include "ui/Button.h"

#include <nlohmann/json.hpp>

namespace ui {

const ClassInfo& Button::staticClassInfo()
{
    static const ClassInfo info = ClassBuilder<Button>("Button", &Control::staticClassInfo())
                                      .property("title",
                                          [](Button& button, const nlohmann::json& value) {
                                              if (!value.is_string()) return false;
                                              button.setTitle(value.get<std::string>());
                                              return true;
                                          })
                                      .property("state",
                                          [](Button& button, const nlohmann::json& value) {
                                              if (!value.is_number_integer()) return false;
                                              button.setState(value.get<int>());
                                              return true;
                                          })
                                      .property("keyEquivalent",
                                          [](Button& button, const nlohmann::json& value) {
                                              if (!value.is_string()) return false;
                                              button.setKeyEquivalent(value.get<std::string>());
                                              return true;
                                          })
                                      .build();
    return info;
}

bool Button::userClick()
{
    if (!isEnabled()) return false;
    if (isSwitch()) setState(state() ? 0 : 1);
    sendAction();
    return true;
}

const ClassInfo& CheckBox::staticClassInfo()
{
    static const ClassInfo info = ClassBuilder<CheckBox>("CheckBox", &Button::staticClassInfo()).build();
    return info;
}

} // namespace ui
