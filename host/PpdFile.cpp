// PPD opening.
#include "host/PpdFile.h"

// libcups marks its whole PPD API deprecated; that API is how a PPD is read.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace host {

void PpdCloser::operator()(ppd_file_t* ppd) const { ppdClose(ppd); }

PpdFile openPpd(const std::string& path, std::string* error)
{
    PpdFile ppd(ppdOpenFile(path.c_str()));
    if (!ppd) {
        int line = 0;
        ppd_status_t status = ppdLastError(&line);
        if (error) *error = "cannot open PPD " + path + ": " + ppdErrorString(status) + " (line " + std::to_string(line) + ")";
        return nullptr;
    }
    ppdMarkDefaults(ppd.get());
    return ppd;
}

} // namespace host
