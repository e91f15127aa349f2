// Loading the profile list file and naming its item keys.
#include "profiles/ProfileListFile.h"

#include "cf/PropertyList.h"
#include "profiles/TLPList.h"

#include <cstdio>

namespace tlco::profilefile {

cf::DictionaryRef loadRoot()
{
    auto path = TLPListMakePath(kProfileListFile);
    if (!path) return nullptr;
    auto bytes = cf::PropertyList::readFile(*path);
    if (!bytes) return nullptr;
    return cf::as<cf::Dictionary>(cf::PropertyList::createFromData(*bytes));
}

ItemKey::ItemKey(const char* field, int item)
{
    std::snprintf(text_, sizeof text_, "%s%04d", field, item);
}

} // namespace tlco::profilefile
