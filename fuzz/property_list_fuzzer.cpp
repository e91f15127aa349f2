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
    cf::Ref root = cf::PropertyList::createFromData(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!root) return 0;
    auto xml = cf::PropertyList::createXMLData(root);
    if (!xml) return 0;
    cf::Ref again = cf::PropertyList::createFromData(*xml);
    if (!again || again->typeID() != root->typeID()) std::abort();
    return 0;
}
