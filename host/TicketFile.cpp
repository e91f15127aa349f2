// SPDX-License-Identifier: Apache-2.0
// Ticket file I/O.
#include "host/TicketFile.h"

#include "cf/File.h"
#include "cf/PropertyList.h"
#include "host/Translate.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <iostream>

namespace host {

std::optional<cf::DictionaryRef> readTicket(const std::string& path, std::string* error)
{
    struct stat info { };
    if (::stat(path.c_str(), &info) != 0) return cf::Dictionary::create();
    std::string reason;
    auto bytes = cf::File::read(path, &reason);
    if (!bytes) {
        if (error) *error = trf("cannot read ticket {1}: {2}", {path, reason});
        return std::nullopt;
    }
    auto settings = cf::as<cf::Dictionary>(cf::PropertyList::createFromData(*bytes));
    if (!settings) {
        if (error) *error = trf("ticket {1} is not a property-list dictionary", {path});
        return std::nullopt;
    }
    return settings;
}

std::string defaultTicketPath()
{
    // Only an absolute path counts, as the base directory specification says.
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && config[0] == '/') return std::string(config) + "/printdialog-settings.plist";
    const char* home = std::getenv("HOME");
    if (!home || !*home) {
        const struct passwd* entry = ::getpwuid(::getuid());
        home = entry && entry->pw_dir ? entry->pw_dir : "/";
    }
    return std::string(home) + "/.config/printdialog-settings.plist";
}

cf::DictionaryRef readDefaultTicket()
{
    const std::string path = defaultTicketPath();
    std::string error;
    std::optional<cf::DictionaryRef> settings = readTicket(path, &error);
    if (settings) return *settings;
    std::cerr << "printdialog: " << trf("ignoring the saved settings: {1}", {error}) << std::endl;
    return cf::Dictionary::create();
}

bool writeTicket(const std::string& path, const cf::DictionaryRef& settings, std::string* error)
{
    auto xml = cf::PropertyList::createXMLData(settings);
    std::string reason = tr("the settings cannot be written as a property list");
    if (!xml || !cf::File::replace(path, *xml, cf::File::maskedMode(0666), &reason)) {
        if (error) *error = trf("cannot write ticket {1}: {2}", {path, reason});
        return false;
    }
    return true;
}

} // namespace host
