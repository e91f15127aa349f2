// SPDX-License-Identifier: Apache-2.0
// Base of the property-list values (string, number, boolean, dictionary, array, data).
// Values are shared: a dictionary stored somewhere and fetched again is the same object.
#pragma once

#include "Export.h"

#include <memory>

namespace cf {

enum class TypeID { String, Number, Boolean, Dictionary, Array, Data };

class TL_EXPORT Object {
public:
    virtual ~Object() = default;
    virtual TypeID typeID() const = 0;
};

using Ref = std::shared_ptr<Object>;

// The value as T when it is of T's type, else null.
template <class T>
std::shared_ptr<T> as(const Ref& value)
{
    if (!value || value->typeID() != T::kTypeID) return nullptr;
    return std::static_pointer_cast<T>(value);
}

inline bool isType(const Ref& value, TypeID type)
{
    return value && value->typeID() == type;
}

} // namespace cf
