// SPDX-License-Identifier: Apache-2.0
// The table of fixed paths.
#include "services/FixedPaths.h"

namespace svc {
namespace {

struct Mapping {
    std::string_view original; // a folder of the original platform, with its trailing "/"
    std::string_view inBundle; // the folder inside the bundle that stands in for it
};

constexpr Mapping kMappings[] = {
    {"/Library/Printers/", "Library/Printers/"},
};

// The original platform's icon format; icons here are PNG files.
constexpr std::string_view kIconExtension = ".icns";
constexpr std::string_view kImageExtension = ".png";

} // namespace

std::string FixedPaths::resolve(std::string_view path, const cf::Bundle& bundle)
{
    for (const Mapping& mapping : kMappings) {
        const bool isFolder = path.size() + 1 == mapping.original.size() && mapping.original.starts_with(path);
        if (!isFolder && !path.starts_with(mapping.original)) continue;
        std::string local = bundle.path() + "/" + std::string(mapping.inBundle);
        if (isFolder) {
            local.pop_back();
            return local;
        }
        std::string_view rest = path.substr(mapping.original.size());
        if (rest.ends_with(kIconExtension)) {
            rest.remove_suffix(kIconExtension.size());
            return local + std::string(rest) + std::string(kImageExtension);
        }
        return local + std::string(rest);
    }
    return std::string(path);
}

} // namespace svc
