// SPDX-License-Identifier: Apache-2.0
// The options of the dialog's own panes that every printer has (copies, pages, layout, job), with
// the queue's defaults where it states them.
#pragma once

#include "host/PaneOption.h"
#include "host/QueueAttributes.h"

#include <optional>
#include <vector>

namespace host {

// Copies & Pages: copies, collate, page-ranges.
std::vector<PaneOption> copiesPaneOptions(const QueueAttributes& queue);
// Layout: number-up, number-up-layout, page-border, then twoSided (the PPD's Duplex, or sides when
// the printer has none), orientation-requested, outputorder, mirror.
std::vector<PaneOption> layoutPaneOptions(const QueueAttributes& queue, std::optional<PaneOption> twoSided);
// Paper Handling after the PPD's paper options: fit-to-page, page-set.
std::vector<PaneOption> paperPaneOptions(const QueueAttributes& queue);
// Job: job-name, job-hold-until, job-priority, job-sheets (the queue's cover pages).
std::vector<PaneOption> jobPaneOptions(const QueueAttributes& queue);

} // namespace host
