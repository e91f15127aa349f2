// SPDX-License-Identifier: Apache-2.0
// Static text.
#include "ui/Label.h"

#include <nlohmann/json.hpp>

namespace ui {

const ClassInfo& Label::staticClassInfo()
{
    static const ClassInfo info = ClassBuilder<Label>("Label", &Control::staticClassInfo())
                                      .property("text",
                                          [](Label& label, const nlohmann::json& value) {
                                              if (!value.is_string()) return false;
                                              label.setStringValue(value.get<std::string>());
                                              return true;
                                          })
                                      .build();
    return info;
}

} // namespace ui
