// SPDX-License-Identifier: Apache-2.0
// Open panel answered from the application's queue.
#include "ui/OpenPanel.h"

#include "ui/Application.h"

namespace ui {

int OpenPanel::runModalForDirectory(const std::string& directory)
{
    directory_ = directory;
    filename_ = Application::shared().runOpenPanel(directory);
    return filename_ ? NSModalResponseOK : NSModalResponseCancel;
}

} // namespace ui
