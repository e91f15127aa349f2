// SPDX-License-Identifier: Apache-2.0
// Mutable ordered list of values.
#pragma once

#include "Export.h"

#include "cf/Object.h"

#include <vector>

namespace cf {

class TL_EXPORT Array final : public Object {
public:
    static constexpr TypeID kTypeID = TypeID::Array;

    static std::shared_ptr<Array> create() { return std::make_shared<Array>(); }

    TypeID typeID() const override { return kTypeID; }
    size_t count() const { return items_.size(); }
    const Ref& at(size_t index) const { return items_.at(index); }
    void append(Ref value) { items_.push_back(std::move(value)); }
    const std::vector<Ref>& items() const { return items_; }

private:
    std::vector<Ref> items_;
};

using ArrayRef = std::shared_ptr<Array>;

} // namespace cf
