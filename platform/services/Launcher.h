// SPDX-License-Identifier: Apache-2.0
// Opening an application at a path, after the platform's file-reference calls.
#pragma once

#include "Export.h"
#include "print/PMCalls.h"

#include <string>

namespace svc {

struct TL_EXPORT FSRef {
    std::string path;
};

inline constexpr OSStatus fnfErr = -43;

// Fills ref for an existing file or folder; fnfErr when nothing is there.
TL_EXPORT OSStatus FSPathMakeRef(const char* path, FSRef* ref, bool* isDirectory);
// Launches the application at ref (an executable file, or an application folder whose Info.plist
// names its CFBundleExecutable) without waiting for it; fnfErr when it cannot be run.
TL_EXPORT OSStatus LSOpenFSRef(const FSRef& ref, FSRef* launched);

} // namespace svc
