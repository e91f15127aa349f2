// Ticket file I/O.
#include "host/TicketFile.h"

#include "cf/PropertyList.h"
#include "host/Translate.h"

#include <sys/stat.h>

namespace host {

std::optional<cf::DictionaryRef> readTicket(const std::string& path, std::string* error)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return cf::Dictionary::create();
    auto bytes = cf::PropertyList::readFile(path);
    if (!bytes) {
        if (error) *error = trf("cannot read ticket {1}", {path});
        return std::nullopt;
    }
    auto settings = cf::as<cf::Dictionary>(cf::PropertyList::createFromData(*bytes));
    if (!settings) {
        if (error) *error = trf("ticket {1} is not a property-list dictionary", {path});
        return std::nullopt;
    }
    return settings;
}

bool writeTicket(const std::string& path, const cf::DictionaryRef& settings, std::string* error)
{
    auto xml = cf::PropertyList::createXMLData(settings);
    if (!xml || !cf::PropertyList::writeFileAtomically(path, *xml, 0644)) {
        if (error) *error = trf("cannot write ticket {1}", {path});
        return false;
    }
    return true;
}

} // namespace host
