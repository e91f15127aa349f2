// SPDX-License-Identifier: Apache-2.0
// Reading and writing lpoptions instances with cupsGetDests2 and cupsSetDests2.
#include "host/Presets.h"

#include "host/CupsConnection.h"
#include "host/CupsDestinations.h"
#include "host/Dialog.h"
#include "host/JobOptions.h"
#include "host/Translate.h"

#include <cups/cups.h>

namespace host {
namespace {

// lpoptions keeps one destination a line, its name and instance as one word.
bool storableName(const std::string& name)
{
    if (name.empty() || name.size() > 127) return false;
    for (char c : name)
        if ((c >= 0 && c <= ' ') || c == '/' || c == '#' || c == 127) return false;
    return true;
}

bool save(Dialog& dialog, const std::string& instance, int limitSeconds, std::string* error)
{
    const std::string& queue = dialog.printer().queueName;
    if (queue.empty()) {
        if (error) *error = tr("presets are kept for CUPS queues; the sample printer has none");
        return false;
    }
    dialog.panel().saveValuesAndReturnError(nullptr);
    auto http = CupsConnection::open(limitSeconds, error);
    if (!http) return false;
    CupsDestinations dests(http->get());
    cups_dest_t* dest = dests.add(queue, instance);
    if (!dest) return false;
    cupsFreeOptions(dest->num_options, dest->options);
    dest->num_options = 0;
    dest->options = nullptr;
    for (const auto& [name, value] : jobOptions(dialog))
        if (name != "job-name")
            dest->num_options = cupsAddOption(name.c_str(), value.c_str(), dest->num_options, &dest->options);
    http->startRequest();
    if (dests.write(http->get())) return true;
    if (error) *error = http->reason(trf("cannot save the preset {1}: {2}", {queue, cupsLastErrorString()}));
    return false;
}

} // namespace

std::vector<std::string> presetNames(const std::string& queue, int limitSeconds)
{
    std::vector<std::string> names;
    if (queue.empty()) return names;
    auto http = CupsConnection::open(limitSeconds, nullptr);
    if (!http) return names;
    const CupsDestinations dests(http->get());
    for (const cups_dest_t& dest : dests)
        if (dest.instance && queue == dest.name) names.emplace_back(dest.instance);
    return names;
}

bool savePreset(Dialog& dialog, const std::string& name, int limitSeconds, std::string* error)
{
    if (!storableName(name)) {
        if (error) *error = trf("{1} cannot name a preset: use letters, digits and punctuation without / or #", {name});
        return false;
    }
    return save(dialog, name, limitSeconds, error);
}

bool saveQueueDefaults(Dialog& dialog, int limitSeconds, std::string* error)
{
    return save(dialog, std::string(), limitSeconds, error);
}

} // namespace host
