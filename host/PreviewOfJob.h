// SPDX-License-Identifier: Apache-2.0
// What the preview shows of the dialog: the job as a Print pressed now would print it.
#pragma once

#include "host/Dialog.h"
#include "host/preview/PreviewJob.h"

namespace host {

// The documents; the layout from every option of the dialog's panes (the queue's defaults lay the
// sheets out too), without the ones that change no sheet; the panel's settings as its save writes
// them, taken from a snapshot so that the ticket stays as it was; the preview's soft-proof switch.
preview::PreviewJob previewOfJob(Dialog& dialog);

} // namespace host
