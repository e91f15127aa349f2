// Loading the profile list file and naming its item keys.
#include "profiles/ProfileListFile.h"

#include "cf/File.h"
#include "cf/PropertyList.h"
#include "profiles/TLPList.h"

#include <cerrno>
#include <cstdio>
#include <sys/stat.h>

namespace tlco::profilefile {
namespace {

bool holdsEveryList(const cf::Dictionary& root)
{
    for (const char* classKey : kClassKeys) {
        auto classDictionary = root.getDictionary(classKey);
        if (!classDictionary) return false;
        for (const char* fieldKey : kFieldKeys)
            if (!classDictionary->getDictionary(fieldKey)) return false;
    }
    return true;
}

} // namespace

Loaded load(const std::string& path)
{
    Loaded loaded;
    struct stat info {};
    // Nothing there, or a link to nothing: no bytes to lose.
    if (::stat(path.c_str(), &info) != 0 && errno == ENOENT) return loaded;
    loaded.bytes = cf::File::read(path, &loaded.reason);
    if (!loaded.bytes) {
        loaded.state = Loaded::State::Unreadable;
        return loaded;
    }
    if (loaded.bytes->empty()) return loaded;
    loaded.root = cf::as<cf::Dictionary>(
        cf::PropertyList::createFromData(*loaded.bytes, cf::PropertyList::Unsupported::Skip));
    if (loaded.root && holdsEveryList(*loaded.root)) {
        loaded.state = Loaded::State::Complete;
    } else {
        loaded.state = Loaded::State::Damaged;
        loaded.reason =
            loaded.root ? "it lacks a profile list" : "it is no readable property list with a dictionary at its root";
    }
    return loaded;
}

cf::DictionaryRef loadRoot()
{
    auto path = TLPListMakePath(kProfileListFile);
    if (!path) return nullptr;
    return load(*path).root;
}

ItemKey::ItemKey(const char* field, int item)
{
    std::snprintf(text_, sizeof text_, "%s%04d", field, item);
}

} // namespace tlco::profilefile
