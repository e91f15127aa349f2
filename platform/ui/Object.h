// SPDX-License-Identifier: Apache-2.0
// Base of every object an interface description can create, connect and send actions to.
#pragma once

#include "Export.h"

#include "ui/ClassInfo.h"

#include <string>
#include <string_view>

namespace ui {

class TL_EXPORT Object {
public:
    Object() = default;
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;
    virtual ~Object() = default;

    virtual const ClassInfo& classInfo() const = 0;

    // The id the interface description gave the object ("" for objects made by program).
    const std::string& identifier() const { return identifier_; }
    void setIdentifier(std::string identifier) { identifier_ = std::move(identifier); }

    // Sends the named action of this object's class; false when the class has no such action.
    bool performAction(std::string_view action, Object* sender);
    bool respondsToAction(std::string_view action) const { return classInfo().findAction(action) != nullptr; }

    // Called once the interface description has connected every outlet.
    virtual void awakeFromNib() { }

private:
    std::string identifier_;
};

} // namespace ui
