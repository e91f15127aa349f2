// SPDX-License-Identifier: Apache-2.0
// Boolean value.
#pragma once

#include "Export.h"

#include "cf/Object.h"

namespace cf {

class TL_EXPORT Boolean final : public Object {
public:
    static constexpr TypeID kTypeID = TypeID::Boolean;

    explicit Boolean(bool value) : value_(value) { }
    static std::shared_ptr<Boolean> create(bool value) { return std::make_shared<Boolean>(value); }

    TypeID typeID() const override { return kTypeID; }
    bool value() const { return value_; }

private:
    bool value_;
};

} // namespace cf
