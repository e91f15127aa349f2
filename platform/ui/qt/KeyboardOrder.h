// SPDX-License-Identifier: Apache-2.0
// Keyboard use of a laid-out description: each label is the buddy of the control beside it, and
// Tab moves through the controls in reading order.
#pragma once

class QWidget;

namespace ui::qt {

void linkKeyboard(QWidget& root);

} // namespace ui::qt
