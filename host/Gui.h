// SPDX-License-Identifier: Apache-2.0
// The window of printdialog --gui as main sees it: Qt lives in a module of its own, loaded only
// when a window is asked for, so that a run without one does not pay for linking Qt.
#pragma once

#include "host/Options.h"
#include "host/ProgramFiles.h"
#include "host/ScriptHooks.h"

#include <memory>
#include <string>

namespace host {

class Dialog;
class JobSubmitter;

class Gui : public ScriptHooks {
public:
    // A script drives the dialog: the window shows it while the script runs.
    virtual void attach(Dialog& dialog) = 0;
    // Before the dialog goes: the window lets go of the panel's widgets.
    virtual void detach() = 0;
    // A person uses the window until Print or Cancel; the exit status.
    virtual int runForPerson(const Options& options, const ProgramFiles& files, JobSubmitter* document) = 0;
};

// Loads the window module at modulePath and starts the window; nothing, and a one-line reason, when
// the module cannot be loaded or there is no display.
std::unique_ptr<Gui> loadGui(const std::string& modulePath, int& argc, char** argv, std::string* error);

} // namespace host

// The module's one entry point: a started window the caller owns, or null and a reason.
extern "C" host::Gui* printdialogStartGui(int* argc, char** argv, std::string* error);
