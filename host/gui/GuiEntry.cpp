// SPDX-License-Identifier: Apache-2.0
// The window module's entry point, looked up by name when printdialog runs with --gui.
#include "host/gui/GuiSession.h"

extern "C" __attribute__((visibility("default"))) host::Gui* printdialogStartGui(
    int* argc, char** argv, std::string* error)
{
    return host::GuiSession::start(*argc, argv, error).release();
}
