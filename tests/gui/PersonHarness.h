// SPDX-License-Identifier: Apache-2.0
// A person at the print window, in this process: printdialog's window runs as for a person (no
// script) while a list of steps acts on it with real input events, one step per turn of the event
// loop once the step before has finished. Every run is bounded in time.
#pragma once

#include "host/Options.h"

#include <QPoint>
#include <QString>

#include <functional>
#include <string>
#include <vector>

class QWidget;

namespace host {
class JobSubmitter;
}

namespace persontest {

// A step acts and answers true when done; false means "not yet, ask again in a moment".
using Step = std::function<bool()>;

struct Outcome {
    int status = -1;
    bool finished = false; // every step was done before the time ran out
};

// Runs the window with options until the steps are done (then Cancel, unless a step closed it) or the
// time runs out. Message boxes no step expects are accepted.
// document: what Print sends (null: none).
Outcome runPerson(const host::Options& options, std::vector<Step> steps, host::JobSubmitter* document = nullptr,
    int limitSeconds = 20);

// The print window, the profile window when it is open, and a named widget in either.
QWidget* printWindow();
QWidget* profileWindow();
QWidget* widget(const char* name);
// The shown message box's text, or empty.
QString messageBoxText();

// Real input, delivered on the next turn of the event loop (so that a window it opens runs outside
// the step): a mouse click at the widget's centre (or point) through its window, as the window
// system delivers it (modality applies); keys to whatever holds the focus then.
void click(QWidget* target);
void click(QWidget* target, QPoint at);
void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// Opens a pop-up's menu, moves to item index and presses Return, as a person picking by keyboard.
void pick(QWidget* popUp, int index);
void type(const QString& text);
// The object name of the focus widget (the view it belongs to for inner widgets), or "".
QString focusName();

} // namespace persontest
