// SPDX-License-Identifier: Apache-2.0
// Ticket file I/O.
#include "host/TicketFile.h"

#include "cf/File.h"
#include "cf/FileLock.h"
#include "cf/PropertyList.h"
#include "host/TicketMerge.h"
#include "host/Translate.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <iostream>

namespace host {
namespace {

cf::DictionaryRef parse(const std::string& bytes)
{
    return cf::as<cf::Dictionary>(cf::PropertyList::createFromData(bytes));
}

// What to write: settings, or the file as it is now with the dialog's changes, when another dialog
// saved it since it was read. A file that cannot be read any more is replaced.
cf::DictionaryRef settingsToWrite(
    const std::string& path, const cf::DictionaryRef& settings, const std::optional<TicketAsRead>& asRead)
{
    if (!asRead) return settings;
    struct stat info { };
    TicketAsRead now;
    if (::stat(path.c_str(), &info) == 0) {
        now = cf::File::read(path);
        if (!now) return settings;
    }
    if (now == *asRead) return settings;
    cf::DictionaryRef base = *asRead ? parse(**asRead) : cf::Dictionary::create();
    cf::DictionaryRef current = now && !now->empty() ? parse(*now) : cf::Dictionary::create();
    if (!base || !current) return settings;
    mergeTicketChanges(*base, *settings, *current);
    return current;
}

} // namespace

std::optional<cf::DictionaryRef> readTicket(const std::string& path, std::string* error, TicketAsRead* asRead)
{
    struct stat info { };
    if (::stat(path.c_str(), &info) != 0) {
        if (asRead) asRead->reset();
        return cf::Dictionary::create();
    }
    std::string reason;
    auto bytes = cf::File::read(path, &reason);
    if (!bytes) {
        if (error) *error = trf("cannot read ticket {1}: {2}", {path, reason});
        return std::nullopt;
    }
    auto settings = parse(*bytes);
    if (!settings) {
        if (error) *error = trf("ticket {1} is not a property-list dictionary", {path});
        return std::nullopt;
    }
    if (asRead) *asRead = std::move(bytes);
    return settings;
}

std::string defaultTicketPath()
{
    // Only an absolute path counts, as the XDG Base Directory Specification says.
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && config[0] == '/') return std::string(config) + "/printdialog-settings.plist";
    const char* home = std::getenv("HOME");
    if (!home || !*home) {
        const struct passwd* entry = ::getpwuid(::getuid());
        home = entry && entry->pw_dir ? entry->pw_dir : "/";
    }
    return std::string(home) + "/.config/printdialog-settings.plist";
}

cf::DictionaryRef readDefaultTicket(std::optional<TicketAsRead>* asRead)
{
    const std::string path = defaultTicketPath();
    std::string error;
    TicketAsRead read;
    std::optional<cf::DictionaryRef> settings = readTicket(path, &error, &read);
    if (settings && asRead) *asRead = std::move(read);
    if (settings) return *settings;
    std::cerr << "printdialog: " << trf("ignoring the saved settings: {1}", {error}) << std::endl;
    return cf::Dictionary::create();
}

bool writeTicket(const std::string& path, const cf::DictionaryRef& settings, const std::optional<TicketAsRead>& asRead,
    std::string* error)
{
    std::string reason;
    auto lock = cf::FileLock::acquire(path, cf::FileLock::kDefaultWait, &reason);
    std::optional<std::string> xml;
    if (lock) {
        reason = tr("the settings cannot be written as a property list");
        xml = cf::PropertyList::createXMLData(settingsToWrite(path, settings, asRead));
    }
    if (!xml || !cf::File::replace(path, *xml, cf::File::maskedMode(0666), &reason)) {
        if (error) *error = trf("cannot write ticket {1}: {2}", {path, reason});
        return false;
    }
    return true;
}

} // namespace host
