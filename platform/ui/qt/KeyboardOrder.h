// SPDX-License-Identifier: Apache-2.0
// Keyboard use of a laid-out description: each label is the buddy of the control beside it, every
// labelled control has an Alt mnemonic, and Tab moves through the controls in reading order.
#pragma once

#include <QString>

#include <vector>

class QWidget;

namespace ui::qt {

// Buddies and mnemonics for the views under root; letters in reserved are left to the window around
// it. True when a shown text changed (a mnemonic added to it may make it wider).
bool linkKeyboard(QWidget& root, const QString& reserved = {});
// The controls under root that Tab visits, in reading order: siblings by rows top down, each row left
// to right, and a container's controls where the container stands (so hidden alternatives such as
// the two views or the tab pages never interleave).
std::vector<QWidget*> keyboardOrder(QWidget& root);
// The control after (or before) the one holding the focus among those a person can reach now
// (shown and enabled), wrapping round; null when none can take the focus.
QWidget* nextInOrder(const std::vector<QWidget*>& order, const QWidget* focus, bool forward);
// The letter linkKeyboard gave the widget; null when none.
QChar mnemonicOf(const QWidget& widget);
// text with & doubled and the mnemonic letter marked: before its first occurrence, or as "(&X)"
// before a trailing colon when the text has no such letter.
QString withMnemonic(const QString& text, QChar letter);

} // namespace ui::qt
