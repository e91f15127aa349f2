// SPDX-License-Identifier: Apache-2.0
// Titled frame.
#include "ui/Box.h"

#include <nlohmann/json.hpp>

namespace ui {

const ClassInfo& Box::staticClassInfo()
{
    static const ClassInfo info = ClassBuilder<Box>("Box", &View::staticClassInfo())
                                      .property("title",
                                          [](Box& box, const nlohmann::json& value) {
                                              if (!value.is_string()) return false;
                                              box.setTitle(value.get<std::string>());
                                              return true;
                                          })
                                      .build();
    return info;
}

} // namespace ui
