// SPDX-License-Identifier: Apache-2.0
// The build tree keeps everything in one folder; an installed prefix spreads it out.
#include "host/ProgramFiles.h"

#include <filesystem>

namespace host {

ProgramFiles ProgramFiles::find(const std::string& programDir)
{
    std::error_code ignored;
    if (std::filesystem::is_directory(programDir + "/ColorOptions.plugin", ignored))
        return {programDir + "/ColorOptions.plugin", programDir + "/ppd", programDir + "/locale",
            programDir + "/printdialog_gui.so"};
    // Relative paths from the installed bin folder, fixed when the program is configured.
    const std::string privateDir = programDir + "/" + PRINTDIALOG_PRIVATE_FROM_BIN;
    const std::string dataDir = programDir + "/" + PRINTDIALOG_DATA_FROM_BIN;
    return {privateDir + "/ColorOptions.plugin", dataDir + "/ppd", programDir + "/" + PRINTDIALOG_LOCALE_FROM_BIN,
        privateDir + "/printdialog_gui.so"};
}

} // namespace host
