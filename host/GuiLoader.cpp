// SPDX-License-Identifier: Apache-2.0
// Loading the window module on demand. The module stays loaded until exit: Qt does not expect to be
// unloaded, and the objects it made may outlive the window.
#include "host/Gui.h"

#include <dlfcn.h>

namespace host {

std::unique_ptr<Gui> loadGui(const std::string& modulePath, int& argc, char** argv, std::string* error)
{
    void* module = ::dlopen(modulePath.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module) {
        const char* reason = ::dlerror();
        if (error) *error = std::string("cannot load the window module: ") + (reason ? reason : modulePath);
        return nullptr;
    }
    auto start = reinterpret_cast<decltype(&printdialogStartGui)>(::dlsym(module, "printdialogStartGui"));
    if (!start) {
        if (error) *error = "cannot load the window module: no entry point in " + modulePath;
        return nullptr;
    }
    return std::unique_ptr<Gui>(start(&argc, argv, error));
}

} // namespace host
