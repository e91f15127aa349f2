// SPDX-License-Identifier: Apache-2.0
// Status codes of the panel's operations, named once.
#pragma once

#include <cstdint>

namespace tlco {

inline constexpr int32_t noErr = 0;
inline constexpr int32_t paramErr = -50;                // bad argument, or a string that cannot be made
inline constexpr int32_t memFullErr = -108;             // no memory
inline constexpr int32_t kPMPPDOptionNotFound = -30888; // the PPD has no such option
inline constexpr int32_t kPMArrayCreateFailed = -30870; // an array cannot be made

// Profile list routines.
inline constexpr int32_t kTLPListOK = 0;
inline constexpr int32_t kTLPListError = -1;

} // namespace tlco
