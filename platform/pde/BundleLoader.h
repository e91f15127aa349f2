// SPDX-License-Identifier: Apache-2.0
// Loads a plug-in bundle directory: its manifest, its module, its principal class.
#pragma once

#include "Export.h"
#include "cf/Bundle.h"
#include "ui/ClassInfo.h"

#include <memory>
#include <optional>
#include <string>

namespace pde {

// A bundle directory holds:
//   Info.plist              manifest: CFBundleIdentifier, CFBundleExecutable, NSPrincipalClass
//   <CFBundleExecutable>    the module
//   PDEMain.json, locale/   resources and message catalogues
struct TL_EXPORT LoadedBundle {
    cf::BundleRef bundle;
    const ui::ClassInfo* principalClass = nullptr;
    void* handle = nullptr; // stays loaded for the life of the process
};

class TL_EXPORT BundleLoader {
public:
    // Nothing, and a one-line reason in error, when the bundle cannot be loaded.
    static std::optional<LoadedBundle> load(const std::string& directory, std::string* error);
};

} // namespace pde
