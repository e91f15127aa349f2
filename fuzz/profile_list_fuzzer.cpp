// SPDX-License-Identifier: Apache-2.0
// Differential: whatever the profile list file's own reader takes, the general property-list reader
// reads to the same lists, handed the XML as the store hands it (checked, in UTF-8, line ends read).
#include "cf/Dictionary.h"
#include "cf/PropertyList.h"
#include "profiles/store/FastListReader.h"
#include "profiles/store/PlistXmlCheck.h"
#include "profiles/store/StoredListsFromTree.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    auto fast = tlco::readListsFast(bytes);
    if (!fast) return 0;
    auto xml = tlco::checkedPlistXml(bytes, nullptr);
    if (!xml) std::abort();
    auto root = cf::as<cf::Dictionary>(cf::PropertyList::createFromData(*xml, cf::PropertyList::Unsupported::Skip));
    if (!root || !(*tlco::storedListsFromTree(*root) == *fast)) std::abort();
    return 0;
}
