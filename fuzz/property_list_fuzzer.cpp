// SPDX-License-Identifier: Apache-2.0
// Property-list bytes (the ticket file, the profile list file, a bundle manifest): parsing never
// crashes, and what parses serialises and parses again to the same shape.
#include "cf/Dictionary.h"
#include "cf/PropertyList.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // The profile list is read passing over unsupported values; whatever that gives must serialise.
    if (cf::Ref lenient = cf::PropertyList::createFromData(bytes, cf::PropertyList::Unsupported::Skip))
        if (!cf::PropertyList::createXMLData(lenient)) std::abort();
    cf::Ref root = cf::PropertyList::createFromData(bytes);
    if (!root) return 0;
    auto xml = cf::PropertyList::createXMLData(root);
    if (!xml) return 0;
    cf::Ref again = cf::PropertyList::createFromData(*xml);
    if (!again || again->typeID() != root->typeID()) std::abort();
    return 0;
}
