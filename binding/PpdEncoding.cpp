// SPDX-License-Identifier: Apache-2.0
// The table of the LanguageEncoding names a PPD may declare, and the decoding of its texts.
#include "binding/PpdEncoding.h"

#include "cf/String.h"

#include <array>

namespace tlco {
namespace {

struct PPDEncoding {
    const char* name;
    cf::NSStringEncoding appKit;
    cf::StringEncoding coreFoundation;
};

constexpr std::array<PPDEncoding, 5> kPPDEncodings = {{
    {"ISOLatin1", cf::NSISOLatin1StringEncoding, cf::kCFStringEncodingISOLatin1},
    {"WindowsANSI", cf::NSWindowsCP1252StringEncoding, cf::kCFStringEncodingWindowsLatin1},
    {"JIS83-RKSJ", cf::NSShiftJISStringEncoding, cf::kCFStringEncodingShiftJIS},
    {"UTF-8", cf::NSUTF8StringEncoding, cf::kCFStringEncodingUTF8},
    {"UTF8", cf::NSUTF8StringEncoding, cf::kCFStringEncodingUTF8},
}};

const PPDEncoding* findPPDEncoding(const ppd_file_t* ppd)
{
    if (!ppd || !ppd->lang_encoding) return nullptr;
    for (const auto& encoding : kPPDEncodings)
        if (std::strcmp(ppd->lang_encoding, encoding.name) == 0) return &encoding;
    return nullptr;
}

} // namespace

cf::NSStringEncoding ppdNSStringEncoding(const ppd_file_t* ppd)
{
    const PPDEncoding* encoding = findPPDEncoding(ppd);
    return encoding ? encoding->appKit : cf::NSMacOSRomanStringEncoding;
}

cf::StringEncoding ppdCFStringEncoding(const ppd_file_t* ppd)
{
    const PPDEncoding* encoding = findPPDEncoding(ppd);
    return encoding ? encoding->coreFoundation : cf::kCFStringEncodingMacRoman;
}

// libcups converts every text to UTF-8 when it opens a PPD and then names "UTF-8" in lang_encoding;
// only a file without a LanguageEncoding line leaves the field null, its texts being UTF-8 all the same.
cf::StringEncoding ppdTextEncoding(const ppd_file_t* ppd, cf::StringEncoding declared)
{
    if (ppd && !ppd->lang_encoding) return cf::kCFStringEncodingUTF8;
    return declared;
}

std::string decodePPDText(std::string_view bytes, cf::StringEncoding encoding)
{
    auto text = cf::String::createWithBytes(bytes, encoding);
    return text ? text->utf8() : std::string();
}

} // namespace tlco
