// SPDX-License-Identifier: Apache-2.0
// The dialog's pane options that the PPD describes: paper size, source and type, two-sided printing,
// and Printer Features (every other option in the PPD's groups).
#pragma once

#include "host/PaneOption.h"

#include <cups/ppd.h>

#include <optional>
#include <set>
#include <string>
#include <vector>

namespace host {

// The PPD option keyword on pane, with the PPD's (translated) texts and its default; PageSize's
// choices show their dimensions. Nothing when the PPD has no such option.
std::optional<PaneOption> ppdPaneOption(ppd_file_t* ppd, const char* keyword, const char* pane);

// Every option in the PPD's groups and subgroups, in the PPD's order, but those named in taken and
// PageRegion (PageSize's twin); each carries its group's text.
std::vector<PaneOption> printerFeatures(ppd_file_t* ppd, const std::set<std::string>& taken);

} // namespace host
