// SPDX-License-Identifier: Apache-2.0
// Bundle loading with dlopen; the manifest is an XML property list.
#include "pde/BundleLoader.h"

#include "cf/Dictionary.h"
#include "cf/File.h"
#include "cf/PropertyList.h"
#include "pde/Protocol.h"

#include <dlfcn.h>

namespace pde {

std::optional<LoadedBundle> BundleLoader::load(const std::string& directory, std::string* error)
{
    auto fail = [error](std::string message) -> std::optional<LoadedBundle> {
        if (error) *error = std::move(message);
        return std::nullopt;
    };
    auto bytes = cf::File::read(directory + "/Info.plist");
    if (!bytes) return fail("no bundle at " + directory + " (Info.plist is missing)");
    auto manifest = cf::as<cf::Dictionary>(cf::PropertyList::createFromData(*bytes));
    if (!manifest) return fail(directory + "/Info.plist is not a property-list dictionary");
    auto identifier = manifest->getString("CFBundleIdentifier");
    auto executable = manifest->getString("CFBundleExecutable");
    auto principal = manifest->getString("NSPrincipalClass");
    if (!identifier || !executable || !principal)
        return fail(directory + "/Info.plist lacks CFBundleIdentifier, CFBundleExecutable or NSPrincipalClass");

    std::string modulePath = directory + "/" + executable->utf8();
    // RTLD_LOCAL: a second plug-in's symbols never meet this one's.
    void* handle = dlopen(modulePath.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) return fail(std::string("cannot load module: ") + dlerror());
    auto entry = reinterpret_cast<PrincipalClassFunction>(dlsym(handle, kPrincipalClassSymbol));
    if (!entry) return fail(modulePath + " does not export " + kPrincipalClassSymbol);
    const ui::ClassInfo* principalClass = entry();
    if (!principalClass || principalClass->name != principal->utf8() || !principalClass->factory)
        return fail(modulePath + ": the principal class is not " + principal->utf8());

    LoadedBundle loaded;
    loaded.bundle = std::make_shared<cf::Bundle>(directory, identifier->utf8());
    loaded.principalClass = principalClass;
    loaded.handle = handle;
    return loaded;
}

} // namespace pde
