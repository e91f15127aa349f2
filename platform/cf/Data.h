// SPDX-License-Identifier: Apache-2.0
// Raw bytes, as a property list's <data> holds them.
#pragma once

#include "Export.h"

#include "cf/Object.h"

#include <string>

namespace cf {

class TL_EXPORT Data final : public Object {
public:
    static constexpr TypeID kTypeID = TypeID::Data;

    explicit Data(std::string bytes) : bytes_(std::move(bytes)) { }
    static std::shared_ptr<Data> create(std::string bytes) { return std::make_shared<Data>(std::move(bytes)); }

    TypeID typeID() const override { return kTypeID; }
    const std::string& bytes() const { return bytes_; }

private:
    std::string bytes_;
};

} // namespace cf
