// SPDX-License-Identifier: Apache-2.0
// What the preview needs of the machine and the printer, fixed for a dialog's session.
#pragma once

#include <chrono>
#include <string>

namespace host::preview {

// The helper programs and data the preview runs, as Debian installs them.
struct Tools {
    std::string cupsServerBin = "/usr/lib/cups"; // CUPS's filters are in its filter/ folder
    std::string cupsDataDir = "/usr/share/cups";
    std::string ghostscript = "/usr/bin/gs";
    std::string pdfinfo = "/usr/bin/pdfinfo";
    std::string qpdf = "/usr/bin/qpdf";
    std::string iccDir = "/usr/share/color/icc"; // Ghostscript's profiles in ghostscript/, colord's in colord/
};

struct PreviewSetup {
    std::string ppdPath;
    // The printer's own CMYK profile, what "Auto" means and what a proof shows the toner through.
    std::string printerProfile;
    // Where local copies of the user's profiles are (the folder the profile window browses).
    std::string userProfileFolder;
    Tools tools;
    // Each helper program is killed after this; a document that takes longer gets a note.
    std::chrono::milliseconds timeLimit{4000};
};

} // namespace host::preview
