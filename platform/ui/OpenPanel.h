// SPDX-License-Identifier: Apache-2.0
// The open panel: asks a person for a file. Headless, it is answered from the application's queue.
#pragma once

#include "Export.h"

#include <optional>
#include <string>

namespace ui {

inline constexpr int NSModalResponseOK = 1;
inline constexpr int NSModalResponseCancel = 0;
inline constexpr int NSModalResponseAbort = -1001;
inline constexpr int NSModalResponseStop = -1000;

class TL_EXPORT OpenPanel {
public:
    // Runs the panel starting in directory; NSModalResponseOK with a chosen file, else cancel.
    int runModalForDirectory(const std::string& directory);
    const std::string& directory() const { return directory_; }
    // The chosen file's path after an OK answer.
    const std::optional<std::string>& filename() const { return filename_; }

private:
    std::string directory_;
    std::optional<std::string> filename_;
};

} // namespace ui
