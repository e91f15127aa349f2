// SPDX-License-Identifier: Apache-2.0
// Symbols of the platform library stay visible to plug-in modules, which hide everything of their own.
#pragma once

#define TL_EXPORT __attribute__((visibility("default")))
