// SPDX-License-Identifier: Apache-2.0
// Cells draw nothing headless; the model keeps what they would draw.
#include "ui/Cell.h"

namespace ui {

void Cell::drawInteriorWithFrame(Rect, View*) { }

} // namespace ui
