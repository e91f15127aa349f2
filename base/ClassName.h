// SPDX-License-Identifier: Apache-2.0
// The suffix that keeps our registered class names apart from another plug-in's.
#pragma once

#include <string>
#include <string_view>

namespace tlco {

inline constexpr std::string_view kClassSuffix = "_7A3D19C2_5B8E_4F61_9D27_C04E8B15F3A6";

inline std::string registeredName(std::string_view name)
{
    return std::string(name) + std::string(kClassSuffix);
}

} // namespace tlco
