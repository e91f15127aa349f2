// SPDX-License-Identifier: Apache-2.0
// PPD files: whatever libcups accepts, building the panel's choice lists and menus from it, under
// every declared text encoding, keeps entry i and menu item i together.
#include "binding/PDECommon.h"
#include "ui/PopUpButton.h"

#include <cups/ppd.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <unistd.h>

#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    char path[] = "/tmp/tlco-ppd-fuzz-XXXXXX";
    int fd = ::mkstemp(path);
    if (fd < 0) return 0;
    bool written = ::write(fd, data, size) == static_cast<ssize_t>(size);
    ::close(fd);
    ppd_file_t* ppd = written ? ppdOpenFile(path) : nullptr;
    ::unlink(path);
    if (!ppd) return 0;
    ppdMarkDefaults(ppd);

    char* declared = ppd->lang_encoding;
    char names[][12] = {"ISOLatin1", "WindowsANSI", "JIS83-RKSJ", "UTF-8", "MacStandard"};
    for (char* encoding : {declared, names[0], names[1], names[2], names[3], names[4]}) {
        ppd->lang_encoding = encoding;
        for (int i = 0; i < ppd->num_groups; ++i) {
            for (int j = 0; j < ppd->groups[i].num_options; ++j) {
                const char* keyword = ppd->groups[i].options[j].keyword;
                ui::PopUpButton popUp;
                tlco::PDEControlRecord record = {
                    &popUp, tlco::kControlPopUp, keyword, nullptr, nullptr, "", 0, nullptr};
                tlco::PDECommon::commonGetPPDArrayForUIOption(ppd, keyword, &record.choices);
                std::unique_ptr<tlco::ChoiceList> owned(record.choices);
                tlco::PDECommon::commonReBuildMenuFromPPD(ppd, &record);
                if (owned && static_cast<size_t>(popUp.numberOfItems()) != owned->size()) std::abort();
            }
        }
    }
    ppd->lang_encoding = declared;
    ppdClose(ppd);
    return 0;
}
