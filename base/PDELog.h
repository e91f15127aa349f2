// SPDX-License-Identifier: Apache-2.0
// Diagnostics any part of the plug-in may call. A normal run writes nothing: the walk's messages go
// to MyDebugMessage, which discards them; only PDEWarn reaches the user.
#pragma once

#include "ui/Object.h"

#include <cstdint>
#include <cstdio>

namespace tlco {

// "LOG self(<description>): <format>", "BEGIN self(...) ...", "END self(...) ..." to the system log.
// The description is inserted literally; only the caller's format expands the arguments.
void _PDELog(const ui::Object* self, const char* format, ...) __attribute__((format(printf, 2, 3)));
void _PDEProlog(const ui::Object* self, const char* format, ...) __attribute__((format(printf, 2, 3)));
void _PDEEpilog(const ui::Object* self, const char* format, ...) __attribute__((format(printf, 2, 3)));
// Formats, converts to the system's default encoding ("?" for what it cannot hold), writes, flushes.
void MyLog(FILE* stream, const char* format, ...) __attribute__((format(printf, 2, 3)));
void MyDebugMessage(const char* message, int32_t value);
// One line "Color Options: <text>" on standard error, for what the user must learn of: a change that
// was not saved, a file set aside.
void PDEWarn(const char* format, ...) __attribute__((format(printf, 1, 2)));

} // namespace tlco
