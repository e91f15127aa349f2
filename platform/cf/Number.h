// SPDX-License-Identifier: Apache-2.0
// Numeric value: an integer, or a real when it came as one.
#pragma once

#include "Export.h"

#include "cf/Object.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace cf {

class TL_EXPORT Number final : public Object {
public:
    static constexpr TypeID kTypeID = TypeID::Number;

    explicit Number(int64_t value) : integer_(value), real_(static_cast<double>(value)) { }
    explicit Number(double value) : integer_(truncated(value)), real_(value), isReal_(true) { }
    static std::shared_ptr<Number> create(int64_t value) { return std::make_shared<Number>(value); }
    static std::shared_ptr<Number> createReal(double value) { return std::make_shared<Number>(value); }

    TypeID typeID() const override { return kTypeID; }
    int64_t int64Value() const { return integer_; }
    // The low 32 bits, as CFNumberGetValue with a 32-bit type gives them.
    int32_t int32Value() const { return static_cast<int32_t>(static_cast<uint32_t>(integer_)); }
    double doubleValue() const { return real_; }
    bool isReal() const { return isReal_; }

private:
    // Toward zero, saturated at the type's ends; NaN gives 0 (a plain cast would be undefined).
    static int64_t truncated(double value)
    {
        if (std::isnan(value)) return 0;
        if (value >= 9223372036854775808.0) return std::numeric_limits<int64_t>::max();
        if (value < -9223372036854775808.0) return std::numeric_limits<int64_t>::min();
        return static_cast<int64_t>(value);
    }

    int64_t integer_;
    double real_;
    bool isReal_ = false;
};

using NumberRef = std::shared_ptr<Number>;

} // namespace cf
