// SPDX-License-Identifier: Apache-2.0
// Text typed or pasted into the profile window's fields: the file name field never holds more than
// its 12 units or a second full stop, and the profile name field never more than 30 units.
#include "cf/Utf8.h"
#include "controls/TLTextField.h"
#include "ui/Button.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider input(data, size);
    tlco::TLTextField fileName;
    fileName.setMaxLength(12, 3);
    fileName.setInputKey(1);
    ui::Button ok;
    fileName.setOperateControl(&ok);
    tlco::TLTextField profileName;
    profileName.setMaxLength(30, 0);
    profileName.setInputKey(input.ConsumeIntegralInRange<int32_t>(0, 5));

    while (input.remaining_bytes() > 0) {
        tlco::TLTextField& field = input.ConsumeBool() ? fileName : profileName;
        std::string text = input.ConsumeRandomLengthString(40);
        switch (input.ConsumeIntegralInRange(0, 2)) {
        case 0:
            field.userType(text);
            break;
        case 1:
            field.userPaste(text);
            break;
        default:
            field.userClear();
            break;
        }
    }
    const std::string& name = fileName.stringValue();
    if (cf::utf8::utf16Length(name) > 12) std::abort();
    size_t dot = name.find('.');
    if (dot != std::string::npos && name.find('.', dot + 1) != std::string::npos) std::abort();
    if (cf::utf8::utf16Length(profileName.stringValue()) > 30) std::abort();
    return 0;
}
